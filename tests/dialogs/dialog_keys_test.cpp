// Each dialog keeps its place under its own key below "Dialogs\".
#include "dialogs/basic_progress_frm.h"
#include "dialogs/confirm_delete_dlg.h"
#include "dialogs/confirm_replace_dlg.h"
#include "dialogs/ftp_progress_dlg.h"
#include "dialogs/ftp_properties_dlg.h"
#include "dialogs/search_dlg.h"

#include "platform/registry/reg_ini_file.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <gtest/gtest.h>

#include <functional>

TEST(DialogKeys, EachDialogKeepsItsPlaceUnderItsKey)
{
    TRegistryScope scope;
    bool lookInAll = false, matchCase = false;
    QString text;
    TFtpPropertiesAnswer answer;
    // The modal ones are closed at once; the progress windows are shown and freed.
    const struct {
        const char* Key;
        bool Modal;
        std::function<void()> Show;
    } cases[] = {
        {"Confirm Replace", true, [] { TConfirmReplaceDlgFrm::Execute("a", "1", "d", "2", "e", false); }},
        {"Confirm Delete", true, [] { TConfirmDeleteDlgFrm::Execute("", "Delete?"); }},
        {"Search", true, [&] { TSearchDlgFrm::Execute(lookInAll, matchCase, text); }},
        {"Properties", true, [&] { TFtpPropertiesDlgFrm::Execute("a", "/", "", "", "", "rwx------", QPixmap(), answer); }},
        {"Progress", false,
         [] {
             GetFtpProgressDlgFrm()->SetTransferInfo(TTransferInfo{"Downloading", "", "", "", "", "", ""});
             GetFtpProgressDlgFrm(true);
         }},
        {"Basic Progress", false,
         [] {
             GetBasicProgressFrm()->SetProgress(1);
             GetBasicProgressFrm(true);
         }},
    };
    for (const auto& c : cases) {
        const QString key = QString("Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\%1\\").arg(c.Key);
        TScriptedPrompts prompts;
        if (c.Modal)
            prompts.Then([](QDialog& Dialog) { Dialog.reject(); });
        c.Show();
        EXPECT_GT(TRegIniFile(key).ReadInteger("", "Width", 0), 0) << c.Key;
    }
}
