// TTempTree and TDataHomeScope.
#include "support/temp_tree.h"

#include "platform/system/name_encoding.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include <sys/stat.h>
#include <unistd.h>

TTempTree::TTempTree(const QString& Tag)
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = testRunFolder() + QStringLiteral("/tree-%1-%2").arg(test->test_suite_name(), test->name());
    if (!Tag.isEmpty())
        root_ += QLatin1Char('-') + Tag;
    QDir(root_).removeRecursively();
    EXPECT_TRUE(QDir().mkpath(root_));
}

QString TTempTree::Path(const QString& Relative) const
{
    return Relative.isEmpty() ? root_ : root_ + QLatin1Char('/') + Relative;
}

void TTempTree::File(const QString& Relative, const QByteArray& Content) const
{
    const QString path = Path(Relative);
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    const QByteArray name = EncodeName(path);
    FILE* file = std::fopen(name.constData(), "wb");
    ASSERT_TRUE(file) << name.constData();
    std::fwrite(Content.constData(), 1, size_t(Content.size()), file);
    std::fclose(file);
}

void TTempTree::Folder(const QString& Relative) const
{
    EXPECT_TRUE(QDir().mkpath(Path(Relative)));
}

void TTempTree::Link(const QString& Relative, const QString& Target) const
{
    const QString path = Path(Relative);
    QDir().mkpath(path.left(path.lastIndexOf(QLatin1Char('/'))));
    EXPECT_EQ(::symlink(EncodeName(Target).constData(), EncodeName(path).constData()), 0)
        << path.toStdString();
}

bool TTempTree::Exists(const QString& Relative) const
{
    struct stat st;
    return ::lstat(EncodeName(Path(Relative)).constData(), &st) == 0;
}

bool TTempTree::IsLink(const QString& Relative) const
{
    struct stat st;
    return ::lstat(EncodeName(Path(Relative)).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

QByteArray TTempTree::Read(const QString& Relative) const
{
    QFile file(Path(Relative));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QStringList TTempTree::List(const QString& Relative) const
{
    QStringList entries;
    const QString base = Path(Relative);
    const QDir::Filters filters = QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    const std::function<void(const QString&)> walk = [&](const QString& sub) {
        const QDir dir(base + (sub.isEmpty() ? QString() : QLatin1Char('/') + sub));
        for (const QFileInfo& info : dir.entryInfoList(filters, QDir::Name)) {
            const QString rel = sub.isEmpty() ? info.fileName() : sub + QLatin1Char('/') + info.fileName();
            if (info.isDir() && !info.isSymLink()) {
                entries += rel + QLatin1Char('/');
                walk(rel);
            } else {
                entries += rel;
            }
        }
    };
    walk(QString());
    entries.sort();
    return entries;
}

TDataHomeScope::TDataHomeScope(const QString& Folder) : old_(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_DATA_HOME", QFile::encodeName(Folder));
}

TDataHomeScope::~TDataHomeScope()
{
    qputenv("XDG_DATA_HOME", old_);
}
