// The platform's colour dialog with a caller's own 16 custom colours.
#pragma once

#include "platform/graphics/colors.h"

#include <QStringList>

class QWidget;

// Shows the colour dialog (all of it open) through the prompt service, starting at Color, with
// the custom colours given as entry texts ("ColorA=00FFFFFF" .. "ColorP=...") in its 16 custom
// slots. On OK, Color becomes the choice and CustomColors the 16 entries of the slots as the user
// left them; returns whether OK was pressed. The dialog's custom slots are shared by the whole
// program, so they are put back afterwards: callers never see each other's custom colours.
bool ExecuteColorDialog(QWidget* Owner, TColor& Color, QStringList& CustomColors);
