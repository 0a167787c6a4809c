// The main window's own pictures: the small image list, the "NEWDRAG" cursor and the logo.
#pragma once

#include <QCursor>
#include <QImage>

class TImageList;

// The images of the main window's small image list (16 x 16) that the window uses, by index: the
// pane frames (6 active, 44 inactive), the connection state (6 connected, 7 not), the site tree
// (6 "My Sites", 9 a site, 20 a node still to be filled), the log lines (3 plain, 14 "*", 22 ">",
// 23 "<", 25 "!"), the tabs (45 "Edit", 12 "Info") and the transfer-type button (24 ASCII,
// 26 binary, 27 automatic), besides 2, 30, 38, 67 and 71 for the toolbars' buttons. Every other
// index holds an empty picture, so the numbering stays that of the stored layouts.
namespace AppImage {
enum : int {
    Document = 2,
    LogPlain = 3,
    Connected = 6,
    ActivePane = 6,
    SitesRoot = 6,
    Disconnected = 7,
    Site = 9,
    InfoTab = 12,
    LogError = 14,
    Placeholder = 20,
    LogCommand = 22,
    LogReply = 23,
    TypeAscii = 24,
    LogNotice = 25,
    TypeBinary = 26,
    TypeAuto = 27,
    Refresh = 30,
    Search = 38,
    InactivePane = 44,
    EditTab = 45,
    Settings = 67,
    Help = 71,
    Count = 72,
};
}

// The picture of one index of the small image list (empty for the unused ones).
QImage AppImageAt(int Index);
// Fills List (emptied first) with the AppImage::Count pictures.
void FillAppImages(TImageList& List);
// The cursor of a drag of remote entries: an arrow with a page below it.
QCursor NewDragCursor();
// The picture the empty remote list shows while no session runs.
QImage LogoImage();
