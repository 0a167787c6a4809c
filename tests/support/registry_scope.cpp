// TRegistryScope.
#include "support/registry_scope.h"

#include "platform/registry/hive_store.h"
#include "support/test_env.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cstdlib>

TRegistryScope::TRegistryScope()
{
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = testRunFolder() + QStringLiteral("/registry-%1-%2").arg(test->test_suite_name(), test->name());
    QDir(folder_).removeRecursively();
    QDir().mkpath(folder_);
    THiveStore::CurrentUser().Unload();
    oldConfigHome_ = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder_));
    oldPrompt_ = TApplication::SetExceptionPrompt([this](const QString& message) { messages_ += message; });
}

TRegistryScope::~TRegistryScope()
{
    THiveStore::CurrentUser().Unload();
    qputenv("XDG_CONFIG_HOME", oldConfigHome_);
    TApplication::SetExceptionPrompt(oldPrompt_);
    for (const QString& message : messages_)
        ADD_FAILURE() << "untaken registry message: " << message.toStdString();
}

QString TRegistryScope::FileName() const
{
    return folder_ + QStringLiteral("/tarnwick-halyard/registry.reg");
}

QByteArray TRegistryScope::FileText() const
{
    QFile file(FileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TRegistryScope::WriteFileText(const QByteArray& Text) const
{
    QDir().mkpath(folder_ + QStringLiteral("/tarnwick-halyard"));
    QFile file(FileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(Text);
}

void TRegistryScope::Reload() const
{
    THiveStore::CurrentUser().Unload();
}

QStringList TRegistryScope::TakeMessages()
{
    return std::exchange(messages_, {});
}
