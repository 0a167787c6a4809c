// TTempTree: a fresh folder of files, folders and links for one test, named after the test; and
// TDataHomeScope, a data folder of the test's own.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

class TTempTree {
public:
    // Creates "<run folder>/tree-<suite>-<test>[-Tag]/" afresh.
    explicit TTempTree(const QString& Tag = {});

    // The full path of Relative ("" is the root, without a trailing "/").
    QString Path(const QString& Relative = {}) const;

    // Create entries (their folders made first); they fail the test when they cannot.
    void File(const QString& Relative, const QByteArray& Content = "x") const;
    void Folder(const QString& Relative) const;
    void Link(const QString& Relative, const QString& Target) const;

    bool Exists(const QString& Relative) const; // links not followed
    bool IsLink(const QString& Relative) const;
    QByteArray Read(const QString& Relative) const;
    // Every entry below Relative as sorted relative paths, folders ending in "/"; links not entered.
    QStringList List(const QString& Relative = {}) const;

private:
    QString root_;
};

// XDG_DATA_HOME (where the trash lies) pointed at Folder while it lives.
class TDataHomeScope {
public:
    explicit TDataHomeScope(const QString& Folder);
    ~TDataHomeScope();
    TDataHomeScope(const TDataHomeScope&) = delete;
    TDataHomeScope& operator=(const TDataHomeScope&) = delete;

private:
    QByteArray old_;
};
