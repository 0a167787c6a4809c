// The routines the shell list and the shell tree share for their commands: new folders with
// unique names and the hourglass cursor.
#pragma once

#include "platform/ui/screen.h"

#include <QString>

// The hourglass cursor while it lives; the cursor before it comes back after.
class THourGlass {
public:
    THourGlass() : old_(Screen().Cursor()) { Screen().SetCursor(crHourGlass); }
    ~THourGlass() { Screen().SetCursor(old_); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;

private:
    TCursor old_;
};

// Makes a new folder in ParentPath under the first free name of "New Folder", "New Folder (2)"
// .. "New Folder (50)", or failing those "fldr", "fldr2" .. "fldr50"; Name receives it. An error
// other than a taken name is shown as a warning and ends that series of names; when both series
// ran out of names, a warning says "New Folder" exists. An empty ParentPath (a place without a
// file-system path) creates nothing and gives false.
bool CreateUniqueFolder(const QString& ParentPath, QString& Name);

// Shows the hourglass and blocks the GUI thread for Milliseconds.
void WaitWithHourglass(unsigned Milliseconds);
