// The progress report of long graphic operations: its stages and the event that receives it.
#pragma once

#include "platform/rtl/object.h"

#include <QRect>
#include <QString>
#include <cstdint>
#include <functional>

enum TProgressStage { psStarting, psRunning, psEnding };

// Sender, stage, percent done, whether the picture should be redrawn now, the area that changed
// (empty when unknown) and a text saying what is being done.
using TProgressEvent = std::function<void(TObject* Sender, TProgressStage Stage, uint8_t PercentDone,
                                          bool RedrawNow, const QRect& R, const QString& Msg)>;
