// TFtpProgressDlgFrm: the window that shows the progress of FTP transfers, one file and a count of
// files, with the flags its Cancel button raises; GetFtpProgressDlgFrm reaches its one instance.
#pragma once

#include "settings/forms/stream_position_form.h"

class QProgressBar;
class QPushButton;
class TCopyAnimation;
class TLabel;

// What SetTransferInfo shows, each value in its own label.
struct TTransferInfo {
    QString Action;
    QString From;
    QString To;
    QString Elapsed;
    QString TimeLeft;
    QString Rate;
    QString Transferred;
};

// Not modal and on top of the other windows. Both bars step by 1: prg counts percent of the file,
// prgMulti files. The copy animation runs while the window shows; the window paints at most once a frame.
class TFtpProgressDlgFrm : public TStreamPositionFrm {
    Q_OBJECT
public:
    explicit TFtpProgressDlgFrm(TComponent* AOwner = nullptr);

    // Both flags off, both bars at 0 of 0..100, prgMulti hidden and lblMulti empty.
    void Reset();
    // Shows prgMulti with the range Min..Max, at Min.
    void SetMultiRange(int Min, int Max);
    // Percent -1 steps prg, another sets it; a Caption titles the window Caption - <Percent>% Completed.
    void SetFileProgress(int Percent, const QString& Caption);
    // Shows prgMulti; Advance steps it, else prg goes back to 0; Max (unless -1) becomes its maximum;
    // lblMulti then says "<position> of <maximum> Completed".
    void SetMultiProgress(bool Advance, int Max);
    // Titles the window and fills the value labels; shows the window when it is hidden, unless
    // Cancel was pressed since the last Reset.
    void SetTransferInfo(const TTransferInfo& Info);

    bool AbortRequested = false;
    bool StopRequested = false;

    TCopyAnimation* Animate;
    TLabel* lblAction;
    TLabel* lblFrom;
    TLabel* lblTo;
    TLabel* lblElaspeTime;
    TLabel* lblEstTime;
    TLabel* lblTransferRate;
    TLabel* lblTransferred;
    QProgressBar* prg;
    QProgressBar* prgMulti;
    TLabel* lblMulti;
    QPushButton* Button1;

protected:
    void showEvent(QShowEvent* E) override;
    void hideEvent(QHideEvent* E) override;
    void reject() override;

private:
    void Button1Click();
};

// Empties the text of every label directly inside Container whose Tag is 0 (fixed texts have 20).
void ClearLabelCaptions(QWidget* Container);

// The one transfer window, made on first call; with Free the window is freed (when there is one)
// and null returned.
TFtpProgressDlgFrm* GetFtpProgressDlgFrm(bool Free = false);
