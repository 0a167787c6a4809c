// TColorCoderLine: one line of the editor's document types, "Name=Patterns[default]".
#pragma once

#include <QString>
#include <QStringList>

// "HTML=*.htm;*.html[html]": the coder's name, its file patterns and the default extension
// (without "*.").
struct TColorCoderLine {
    QString Name;
    QStringList Patterns;
    QString DefaultExt;

    // Empty pattern parts are skipped.
    static TColorCoderLine Parse(const QString& Line);
    // "%s=%s[%s]" with the patterns joined by ";".
    QString Text() const;
};
