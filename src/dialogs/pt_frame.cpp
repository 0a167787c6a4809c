// TPTCustomFrame.
#include "dialogs/pt_frame.h"

TPTCustomFrame::TPTCustomFrame(TComponent* AOwner, QWidget* Parent)
    : TPTFramedControl(AOwner, Parent, ptfsLowered)
{
}
