// Tests that play sounds: the resolved sound files are recorded in order instead of played.
#pragma once

#include "platform/sound/play_sound.h"

#include <QStringList>

class TRecordingSoundPlayer {
public:
    TRecordingSoundPlayer() : saved_(SetSoundPlayFunction([this](const QString& File) { Played.append(File); })) {}
    ~TRecordingSoundPlayer() { SetSoundPlayFunction(saved_); }
    TRecordingSoundPlayer(const TRecordingSoundPlayer&) = delete;
    TRecordingSoundPlayer& operator=(const TRecordingSoundPlayer&) = delete;

    QStringList Played;

private:
    TSoundPlayFunction saved_;
};
