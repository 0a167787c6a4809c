// TBasicProgressFrm: the small progress window of zip archiving, a bar and a status line with
// Cancel; GetBasicProgressFrm reaches its one instance.
#pragma once

#include "settings/forms/stream_position_form.h"

class QProgressBar;
class QPushButton;
class TLabel;

// Cancel (or Escape, or the close box) closes the window with the modal result 2, which the
// archiving polls.
class TBasicProgressFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TBasicProgressFrm(TComponent* AOwner = nullptr);

    // Each shows the window when it is hidden. SetStatus titles it Action... and says
    // Action Item... in lblStatus.
    void SetProgress(int Position);
    void SetStatus(const QString& Action, const QString& Item);

    TLabel* lblStatus;
    QProgressBar* prgBar;
    QPushButton* Button1;
};

// The one zip progress window, made on first call; with Free the window is freed (when there is
// one) and null returned.
TBasicProgressFrm* GetBasicProgressFrm(bool Free = false);
