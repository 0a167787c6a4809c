// PlaySound: sound files played one after another by the desktop's sound player, never blocking.
#pragma once

#include <QString>
#include <functional>

// The file a sound name stands for: a name with a folder as it stands, a bare name in the
// program's folder; "" when that file does not exist.
QString ResolveSoundFile(const QString& Name);

// Queues the sound file Name (resolved as above) and returns at once; the queued files play in
// order, each after the one before has ended, through the first of "pw-play", "paplay" and
// "aplay" found on the path (started without a shell). False when the file does not exist.
// Silent when no player is installed. GUI thread only.
bool PlaySound(const QString& Name);

// Replaces what plays a resolved sound file (tests record the names); an empty function restores
// the desktop's player. Returns the function in use before (empty for the desktop's player).
using TSoundPlayFunction = std::function<void(const QString& FileName)>;
TSoundPlayFunction SetSoundPlayFunction(TSoundPlayFunction Play);
