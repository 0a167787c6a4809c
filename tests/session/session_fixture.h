// TSessionTest: a test with its own registry, program folder and settings, and a recording window.
#pragma once

#include "recording_window.h"
#include "support/registry_scope.h"
#include "support/temp_tree.h"

#include "settings/app_settings.h"

#include <gtest/gtest.h>

class TSessionTest : public ::testing::Test {
protected:
    TSessionTest() : dataHome_(Tree.Path(QStringLiteral("data"))) {}
    ~TSessionTest() override { AppSettings(1); }

    TFtpAppSettings& Settings() { return *AppSettings(); }
    // The program's folder of this test, with a trailing "/".
    QString ProgramFolderPath() const { return Tree.Path(QStringLiteral("data/tarnwick-halyard")) + '/'; }

    TRegistryScope Registry;
    TTempTree Tree;
    TRecordingWindow Window;

private:
    TDataHomeScope dataHome_;
};
