// A private user registry for one test.
#pragma once

#include "platform/rtl/application.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// While it lives, XDG_CONFIG_HOME points at a fresh folder named after the running test and the
// user's registry is read from there; what the registry would tell the user is collected instead
// of shown (messages left untaken fail the test). The registry is written and forgotten at the end.
class TRegistryScope {
public:
    TRegistryScope();
    ~TRegistryScope();
    TRegistryScope(const TRegistryScope&) = delete;
    TRegistryScope& operator=(const TRegistryScope&) = delete;

    // The folder standing for XDG_CONFIG_HOME.
    const QString& ConfigFolder() const { return folder_; }
    // The registry file in it.
    QString FileName() const;
    // The file's bytes; empty when there is none.
    QByteArray FileText() const;
    // Replaces the file with Text (as another copy of the program would).
    void WriteFileText(const QByteArray& Text) const;
    // Writes pending changes and forgets the keys, so the next use reads the file again.
    void Reload() const;
    QStringList TakeMessages();

private:
    QString folder_;
    QByteArray oldConfigHome_;
    TApplication::ExceptionPrompt oldPrompt_;
    QStringList messages_;
};
