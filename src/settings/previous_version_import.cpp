// ImportPreviousVersionServers: the marker, the uninstall entry, the INI file and the profiles.
#include "settings/previous_version_import.h"

#include "platform/registry/ini_file.h"
#include "platform/registry/registry.h"
#include "platform/rtl/application.h"
#include "platform/ui/message_dialogs.h"
#include "routines/name_checks.h"
#include "routines/path_routines.h"
#include "routines/registry_helpers.h"
#include "settings/upload_profiles.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString ImportedValue = QStringLiteral("Imported");

// The text of value Name of the open key; empty when it is missing or holds no text.
QString ReadText(TRegistry& Registry, const QString& Name)
{
    if (!Registry.ValueExists(Name))
        return {};
    try {
        return Registry.ReadString(Name);
    } catch (const Exception&) {
        return {};
    }
}

QString ApplicationTitle()
{
    return Application ? Application->Title() : QString();
}

// The previous version's INI file named by its uninstall entry; empty when there is no entry or
// it names no uninstaller.
QString PreviousVersionIniFile()
{
    TRegistry registry;
    registry.SetRootKey(win::HKEY_LOCAL_MACHINE);
    if (!registry.OpenKeyReadOnly(PreviousVersionUninstallKey))
        return {};
    const QString command = ReadText(registry, QStringLiteral("UninstallString"));
    const qsizetype uninstaller = command.indexOf(QLatin1String("UNWISE.EXE"));
    if (uninstaller < 0)
        return {};
    QString folder = command.left(uninstaller);
    AddBackslash(folder);
    return folder + QStringLiteral("FTPServers.ini");
}

// The number of server sections: blanks and digits only and above 0, at most
// MaxImportedProfiles; 0 when the text is no such number.
int ServerCount(const QString& Text)
{
    QString digits = Text;
    digits.remove(QLatin1Char(' '));
    if (!IsDigitsOnly(digits))
        return 0;
    bool ok = false;
    const int count = Text.trimmed().toInt(&ok);
    return ok && count > 0 ? std::min(count, MaxImportedProfiles) : 0;
}

// Name, or "Imported" for an empty one, with "1" appended until no profile has it. A backslash
// would split the profile's registry subkey, so it becomes "_".
QString UniqueProfileName(const QString& Name)
{
    QString unique = Name.isEmpty() ? QStringLiteral("Imported") : Name;
    unique.replace(QLatin1Char('\\'), QLatin1Char('_'));
    while (UploadProfiles()->IndexOfName(unique) >= 0)
        unique += QLatin1Char('1');
    return unique;
}

void ImportServers(const TIniFile& Ini)
{
    const int count = ServerCount(Ini.ReadString("General", "Count", "0"));
    if (count == 0) {
        MessageDlg(ApplicationTitle() + " was unable to import the previous version" + "'" + "s server settings." +
                       "\r\n" + "There we no server profiles present or they could not be located.",
                   mtWarning, {mbOK});
        return;
    }
    for (int i = 1; i <= count; ++i) {
        const QString section = QStringLiteral("Server%1").arg(i);
        const QString name = UniqueProfileName(Ini.ReadString(section, "Name", {}));
        TUploadProfileItem* profile = UploadProfiles()->Add();
        profile->ItemName = name;
        profile->HostName = Ini.ReadString(section, "Hostname", {});
        profile->Username = Ini.ReadString(section, "Username", {});
        profile->Anonymous = profile->Username == QLatin1String("anonymous");
        profile->Port = Ini.ReadString(section, "Port", "21");
        profile->HostDirName = Ini.ReadString(section, "StartDir", {});
        profile->LocalDirName = Ini.ReadString(section, "LocalStartDir", {});
        profile->PassiveMode = StrToBoolText(Ini.ReadString(section, "PASV", "1"));
        profile->Shared = true;
        profile->SavePassword = true;
        profile->Comment = QStringLiteral("Imported from previous version");
    }
    MessageDlg(ApplicationTitle() + " successfully imported the previous version" + "'" + "s server settings.",
               mtInformation, {mbOK});
}

} // namespace

void ImportPreviousVersionServers()
{
    TRegistry registry;
    if (!registry.OpenKey(ProductRegKey, true))
        return;
    if (ReadText(registry, ImportedValue) == QLatin1String("1"))
        return;
    const QString iniFile = PreviousVersionIniFile();
    if (iniFile.isEmpty() || !QFileInfo(iniFile).isFile())
        return;
    const int answer = MessageDlg(ApplicationTitle() + " has detected a previous version. Would you like to import the " +
                                      "server profiles?",
                                  mtConfirmation, {mbYes, mbNo});
    registry.WriteString(ImportedValue, QStringLiteral("1"));
    if (answer != mrYes)
        return;
    ImportServers(TIniFile(iniFile));
}
