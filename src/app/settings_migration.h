// TSettingsMigration: the one-time copy of the previous version's settings into the program's key.
#pragma once

#include <QString>

// The previous version's key is copied once: when it exists and holds no "HFTP5OldImported"
// subkey, the program's key is deleted (an absent key counts as deleted), the previous key copied
// over it, and the flag subkey made below the previous key. When the deletion fails nothing else
// happens, so the next start tries again.
class TSettingsMigration {
public:
    virtual ~TSettingsMigration() = default;

    static inline const QString PreviousKey = QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5.0\\");
    static inline const QString FlagKey = QStringLiteral("HFTP5OldImported");

    // True when the settings were copied.
    bool Run();

protected:
    // Deletes the program's key; true when it is gone (or never was).
    virtual bool DeleteProductKey();
};
