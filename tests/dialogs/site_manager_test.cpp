// The site manager: the connect mode, renaming rules, guarded deleting, pending edits, changes to
// the whole branch, the firewall text, the time-out range and the folder browse.
#include "dialogs/confirm_delete_dlg.h"
#include "platform/widgets/label.h"
#include "dialogs/sites/server_edit_frm.h"
#include "dialogs/sites/timeout_spin_box.h"
#include "platform/registry/hive_file.h"
#include "platform/registry/reg_data.h"
#include "platform/widgets/folder_picker.h"
#include "platform/widgets/std_controls.h"
#include "routines/registry_helpers.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"
#include "support/qt_printers.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

namespace {

bool HasKey(const THiveKey& Root, const QString& Path)
{
    return const_cast<THiveKey&>(Root).Find(SplitRegPath(Path)) != nullptr;
}

class SiteManager : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"abc", "Beta", "Gamma"})
            UploadProfiles()->Add()->ItemName = name;
        Firewalls()->Add()->ItemName = "Office";
    }
    void TearDown() override
    {
        UploadProfiles(1);
        Firewalls(1);
    }

    // Opens the manager as the main window does and hands it to Drive, which closes it.
    // The windows the manager opens meanwhile take the steps queued by Later.
    int Run(const std::function<void(TServerEditFrm& Form)>& Drive, bool ConnectMode = false, bool InUse = false,
            const QString& InUseName = {}, const std::vector<TScriptedPrompts::TStep>& Later = {})
    {
        TServerEditFrm form(nullptr, DialogKey("Servers"));
        form.InUse = InUse;
        form.InUseName = InUseName;
        form.ConnectMode = ConnectMode;
        form.LoadTreeBranch(UploadProfiles()->Profiles(), nullptr);
        form.FillComboWithItems(form.cbFirewall, Firewalls()->Firewalls());
        prompts_.Then([&](QDialog&) { Drive(form); });
        for (const TScriptedPrompts::TStep& step : Later)
            prompts_.Then(step);
        const int result = form.ShowModal();
        changed_ = form.Changed;
        return result;
    }
    static QTreeWidgetItem* Root(TServerEditFrm& Form) { return Form.tvServers->topLevelItem(0); }
    static QTreeWidgetItem* Node(TServerEditFrm& Form, const QString& Name)
    {
        const QList<QTreeWidgetItem*> found = Form.tvServers->findItems(Name, Qt::MatchExactly | Qt::MatchRecursive);
        return found.isEmpty() ? nullptr : found.first();
    }
    static void Select(TServerEditFrm& Form, const QString& Name) { Form.tvServers->setCurrentItem(Node(Form, Name)); }
    // Types Text into Edit as a user would: the focus comes, the text changes, the focus goes.
    static void Type(QWidget* Edit, const QString& Text)
    {
        QFocusEvent in(QEvent::FocusIn);
        QApplication::sendEvent(Edit, &in);
        if (auto* spin = qobject_cast<QSpinBox*>(Edit))
            spin->findChild<QLineEdit*>()->setText(Text);
        else
            static_cast<QLineEdit*>(Edit)->setText(Text);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(Edit, &out);
    }
    static TUploadProfileItem* Profile(const QString& Name)
    {
        return UploadProfiles()->GetProfile(UploadProfiles()->IndexOfName(Name));
    }
    THiveKey Saved()
    {
        UploadProfiles(1);
        Firewalls(1);
        scope_.Reload();
        return ReadHiveText(scope_.FileText());
    }

    TRegistryScope scope_;
    TScriptedPrompts prompts_;
    bool changed_ = false;
};

const QString ProfilesKey = InternetRegKey + "Profiles\\";

} // namespace

TEST_F(SiteManager, InConnectModeOnlyAProfileCanBeChosen)
{
    const int result = Run(
        [](TServerEditFrm& Form) {
            EXPECT_EQ(Form.windowTitle(), "Connect to Server");
            EXPECT_EQ(Form.btnOk->text(), "Connect");
            EXPECT_EQ(Form.tvServers->currentItem()->text(0), "abc"); // the first profile, sorted
            Form.tvServers->setCurrentItem(Root(Form));
            EXPECT_FALSE(Form.btnOk->isEnabled());
            EXPECT_FALSE(Form.btnDelete->isEnabled());
            Q_EMIT Form.tvServers->itemDoubleClicked(Root(Form), 0);
            EXPECT_TRUE(Form.isVisible());
            EXPECT_EQ(Form.GetSelectedItemIndex(), -1);
            Select(Form, "Gamma");
            EXPECT_TRUE(Form.btnOk->isEnabled());
            EXPECT_EQ(Form.GetSelectedItemIndex(), 2);
            Q_EMIT Form.tvServers->itemDoubleClicked(Node(Form, "Gamma"), 0);
            EXPECT_FALSE(Form.isVisible());
        },
        true);
    EXPECT_EQ(result, 1);
}

TEST_F(SiteManager, RenamesAreCheckedAndOnlyTheNewSubkeyRemains)
{
    struct TCase {
        const char* NewName;
        const char* Message; // empty when none
        const char* NodeText;
        const char* ItemName;
    };
    const TCase cases[] = {
        {"BETA", "The Profile Name 'BETA' already exist. Please select another name.", "abc", "abc"},
        {"a:b", "Sorry, a Profile Name cannot be empty nor contain any of the following characters:\r\n\\, /, :, *, ?, "
                "\", <, >, |. Please select another name.",
         "abc", "abc"},
        {"ABC", "", "abc", "abc"},
        {"Alpha", "", "Alpha", "Alpha"},
    };
    std::vector<TScriptedPrompts::TStep> messages;
    for (const TCase& c : cases) {
        if (*c.Message)
            messages.push_back([&c](QDialog& Dialog) {
                EXPECT_TRUE(Describe(Dialog).contains(c.Message)) << Describe(Dialog).toStdString();
                Click("OK")(Dialog);
            });
    }
    Run([&](TServerEditFrm& Form) {
        QTreeWidgetItem* node = Node(Form, "abc");
        TUploadProfileItem* item = Profile("abc");
        for (const TCase& c : cases) {
            node->setText(0, c.NewName);
            EXPECT_EQ(node->text(0), c.NodeText) << c.NewName;
            EXPECT_EQ(item->ItemName, c.ItemName) << c.NewName;
            EXPECT_EQ(Form.Changed, QString(c.NewName) == "Alpha") << c.NewName;
        }
        Form.btnOk->click();
    },
        false, false, {}, messages);
    EXPECT_TRUE(changed_);
    const THiveKey root = Saved();
    EXPECT_TRUE(HasKey(root, ProfilesKey + "Alpha"));
    EXPECT_FALSE(HasKey(root, ProfilesKey + "abc"));
}

TEST_F(SiteManager, TheProfileInUseCannotBeDeletedWhileConnected)
{
    const TScriptedPrompts::TStep refused = [](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains("This item is currently in use and cannot be deleted. You must \r\nfirst "
                                              "disconnect from this server in order to delete it."));
        Click("OK")(Dialog);
    };
    Run(
        [](TServerEditFrm& Form) {
            Select(Form, "Beta");
            Form.btnDelete->click();
            EXPECT_NE(Node(Form, "Beta"), nullptr);
            Form.Button2->click();
        },
        false, true, "BETA", {refused});
    EXPECT_FALSE(changed_);

    const TScriptedPrompts::TStep confirmed = [](QDialog& Dialog) {
        EXPECT_EQ(static_cast<TConfirmDeleteDlgFrm&>(Dialog).Label1->text(),
                  "Are you sure you want to permanently delete 'Beta'?");
        Click("&Yes")(Dialog);
    };
    Run(
        [](TServerEditFrm& Form) {
            Select(Form, "Beta");
            Form.btnDelete->click();
            EXPECT_EQ(Node(Form, "Beta"), nullptr);
            Form.btnOk->click();
        },
        false, false, "Beta", {confirmed});
    EXPECT_TRUE(changed_);
    EXPECT_EQ(UploadProfiles()->IndexOfName("Beta"), -1);
    EXPECT_FALSE(HasKey(Saved(), ProfilesKey + "Beta"));
}

TEST_F(SiteManager, PendingEditsAreOfferedOnSelectionAndOnCancel)
{
    Profile("abc")->HostName = "old.example.com";
    auto saveAnswer = [](const QString& Button) {
        return [Button](QDialog& Dialog) {
            EXPECT_TRUE(Describe(Dialog).contains("Would you like to save changes to 'abc'?"));
            Click(Button)(Dialog);
        };
    };
    Run([](TServerEditFrm& Form) {
        Select(Form, "abc");
        EXPECT_EQ(Form.txtHostName->text(), "old.example.com");
        Type(Form.txtHostName, "new.example.com");
        EXPECT_TRUE(Form.Modified());
        EXPECT_TRUE(Form.btnApply->isEnabled());
        Select(Form, "Beta"); // answered No
        EXPECT_EQ(Profile("abc")->HostName, "old.example.com");
        EXPECT_FALSE(Form.btnApply->isEnabled());
        Select(Form, "abc");
        Type(Form.txtHostName, "old.example.com"); // the same text: nothing changed
        EXPECT_FALSE(Form.Modified());
        Type(Form.txtHostName, "new.example.com");
        Form.Button2->click(); // answered Yes
    },
        false, false, {}, {saveAnswer("&No"), saveAnswer("&Yes")});
    EXPECT_EQ(Profile("abc")->HostName, "new.example.com");
}

TEST_F(SiteManager, PassiveModeAtTheRootReachesEveryProfile)
{
    const TScriptedPrompts::TStep apply = [](QDialog& Dialog) {
        EXPECT_TRUE(Describe(Dialog).contains("Would you like to apply changes made to all items in 'My Sites'?"));
        Click("&Yes")(Dialog);
    };
    Run([](TServerEditFrm& Form) {
        Form.tvServers->setCurrentItem(Root(Form));
        EXPECT_FALSE(Form.txtHostName->isEnabled());
        EXPECT_TRUE(Form.chkPassiveMode->isEnabled());
        Form.chkPassiveMode->setChecked(true);
        Select(Form, "Gamma");
        Form.btnOk->click();
    },
        false, false, {}, {apply});
    for (const char* name : {"abc", "Beta", "Gamma"})
        EXPECT_TRUE(Profile(name)->PassiveMode) << name;
}

TEST_F(SiteManager, TheFirewallTextAndTheTimeoutAreStoredAsShown)
{
    Profile("abc")->Firewall = "Office";
    Run([](TServerEditFrm& Form) {
        Select(Form, "abc");
        EXPECT_EQ(Form.cbFirewall->currentText(), "Office");
        Form.cbFirewall->setCurrentIndex(0);
        EXPECT_EQ(Form.cbFirewall->currentText(), "(None)");
        struct {
            const char* Typed;
            int Kept;
        } const timeouts[] = {{"3", 5}, {"200", 120}, {"", 5}, {"45", 45}};
        for (const auto& t : timeouts) {
            Type(Form.txtTimeout, t.Typed);
            EXPECT_EQ(Form.txtTimeout->value(), t.Kept) << t.Typed;
            EXPECT_EQ(Form.txtTimeout->text(), QString::number(t.Kept)) << t.Typed;
        }
        Form.btnApply->click();
        Form.btnOk->click();
    });
    EXPECT_EQ(Profile("abc")->Firewall, "(None)");
    EXPECT_EQ(Profile("abc")->Timeout, 45);
}

TEST_F(SiteManager, BrowseFillsTheLocalFolderFromThePicker)
{
    const TFolderPicker previous = SetFolderPicker([](const QString&, QString& Folder) {
        Folder = "/home/me/site";
        return true;
    });
    Run([](TServerEditFrm& Form) {
        Select(Form, "abc");
        Form.SpeedButton1->click();
        EXPECT_EQ(Form.txtLocalDirName->text(), "/home/me/site");
        Form.SaveNode(Form.tvServers->currentItem());
        Form.btnOk->click();
    });
    SetFolderPicker(previous);
    EXPECT_EQ(Profile("abc")->LocalDirName, "/home/me/site");
}
