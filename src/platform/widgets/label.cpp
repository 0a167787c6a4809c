// TLabel.
#include "platform/widgets/label.h"

TLabel::TLabel(const QString& Caption, QWidget* Parent) : QLabel(Caption, Parent) {}
