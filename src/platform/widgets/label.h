// TLabel: the class library's label, a QLabel with a component's Name and Tag.
#pragma once

#include "platform/rtl/object.h"

#include <QLabel>

class TLabel : public QLabel, public TComponent {
    Q_OBJECT
public:
    explicit TLabel(const QString& Caption = {}, QWidget* Parent = nullptr);
};
