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
    // Every event sound on, each a file of this test named after its event ("error.wav").
    void UseEventSounds()
    {
        Settings().PlaySounds = true;
        Settings().SoundBitField = 0x1F;
        QString* const sounds[] = {&Settings().SoundConnect, &Settings().SoundCompleted, &Settings().SoundError,
                                   &Settings().SoundGet, &Settings().SoundPut};
        const char* const names[] = {"connect.wav", "completed.wav", "error.wav", "get.wav", "put.wav"};
        for (int i = 0; i < 5; ++i) {
            Tree.File(names[i], "");
            *sounds[i] = Tree.Path(names[i]);
        }
    }

    // The program's folder of this test, with a trailing "/".
    QString ProgramFolderPath() const { return Tree.Path(QStringLiteral("data/tarnwick-halyard")) + '/'; }

    TRegistryScope Registry;
    TTempTree Tree;
    TRecordingWindow Window;

private:
    TDataHomeScope dataHome_;
};
