// TTarnwickFTPApp: the transfer mode (ASCII, binary or automatic) on the type button and its
// menu, and the enabling of the remove-folder command.
#include "app/app_images.h"
#include "app/command_images.h"
#include "app/main_form.h"
#include "app/remote_list_view.h"
#include "platform/graphics/image_list.h"
#include "platform/ui/action_list.h"
#include "session/session_engine.h"
#include "settings/app_settings.h"
#include "shell/shell_list.h"

#include <QActionGroup>
#include <QMenu>

namespace {

// By the settings' TransferMode (0 ASCII, 1 binary, 2 automatic): the button's caption word and
// picture.
const char* const ModeWords[] = {"Ascii", "Binary", "Auto"};
const int ModeImages[] = {AppImage::TypeAscii, AppImage::TypeBinary, AppImage::TypeAuto};

} // namespace

void TTarnwickFTPApp::BindTransferMode()
{
    Action(QStringLiteral("actToolbarTypeSet"))->OnExecute = [this](TAction*) { actToolbarTypeSetExecute(); };
    // The menu lists Auto, Binary and ASCII; each item's data is its mode.
    auto* group = new QActionGroup(popTypeSet);
    const struct {
        const char* Name;
        const char* Caption;
        int Mode;
    } items[] = {{"Auto1", "&Auto Mode", 2}, {"Binary1", "&Binary Mode", 1}, {"Ascii1", "A&SCII Mode", 0}};
    for (const auto& def : items) {
        QAction* item = popTypeSet->addAction(QString::fromLatin1(def.Caption));
        item->setObjectName(QString::fromLatin1(def.Name));
        item->setData(def.Mode);
        item->setCheckable(true);
        item->setActionGroup(group);
        connect(item, &QAction::triggered, this, [this, item] { Ascii1Click(item); });
    }
    connect(popTypeSet, &QMenu::aboutToShow, this, [this] { popTypeSetPopup(); });
    Action(QStringLiteral("actFtpRmd"))->OnUpdate = [this](TAction* Sender) { actFtpRmdUpdate(Sender); };
}

void TTarnwickFTPApp::ShowTransferMode()
{
    const int mode = std::clamp(AppSettings()->TransferMode, 0, 2);
    TAction* typeSet = Action(QStringLiteral("actToolbarTypeSet"));
    typeSet->setText(QString::fromLatin1(ModeWords[mode]) + QStringLiteral(" Mode"));
    typeSet->ImageIndex = ModeImages[mode];
    typeSet->setIcon(QIcon(QPixmap::fromImage(TransferTypeImage(mode, ImageListSm->Width()))));
}

void TTarnwickFTPApp::actToolbarTypeSetExecute()
{
    TFtpAppSettings& settings = *AppSettings();
    settings.TransferMode = settings.TransferMode >= 0 && settings.TransferMode < 2 ? settings.TransferMode + 1 : 0;
    ShowTransferMode();
}

void TTarnwickFTPApp::Ascii1Click(QAction* Item)
{
    AppSettings()->TransferMode = Item->data().toInt();
    Item->setChecked(true);
    ShowTransferMode();
}

void TTarnwickFTPApp::popTypeSetPopup()
{
    const QList<QAction*> items = popTypeSet->actions();
    const int index = 2 - std::clamp(AppSettings()->TransferMode, 0, 2);
    if (index < items.size())
        items[index]->setChecked(true);
}

void TTarnwickFTPApp::actFtpRmdUpdate(TAction* Sender)
{
    bool enabled = false;
    switch (GetFocusedPaneKind()) {
    case fkLocalList:
        enabled = !lvMyComputer->SelectedItems().empty() && Sender->Tag == 0;
        break;
    case fkRemoteList:
        if (IsConnected())
            for (TListItem* item : lvRemote->SelectedItems()) {
                const int index = item->Index();
                if (index > 0 && index < engine_->RemoteList.Count() && engine_->RemoteList.Row(index).IsFolder()) {
                    enabled = true;
                    break;
                }
            }
        break;
    default:
        break;
    }
    Sender->setEnabled(enabled);
}
