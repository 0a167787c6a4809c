// TSM_CaretControl: the caret line and column and the first visible line of one editor, as the
// main window reads and sets them (lines and columns 1-based).
#pragma once

class TMemoCore;

class TSM_CaretControl {
public:
    explicit TSM_CaretControl(TMemoCore* Editor) : editor_(Editor) {}

    // Puts the caret on that line at its current display column, limited to the line's last
    // character (on the last line, to its end).
    void SetLine(int Line);
    // The caret's display column (the virtual column in caret-after-end-of-line mode).
    int GetColumn();
    int GetTopLine();
    // A value below 1 is passed on unchanged (the editor limits it).
    void SetTopLine(int Line);

private:
    TMemoCore* editor_;
};
