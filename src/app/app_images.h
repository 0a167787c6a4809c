// The main window's own pictures: the small image list, the tool bar's image list, the "NEWDRAG"
// cursor and the logo.
#pragma once

#include <QCursor>
#include <QImage>

class TImageList;

// The images of the main window's small image list (16 x 16) by index: the pane frames (6 active,
// 44 inactive), the connection state (6 connected, 7 not), the site tree (6 "My Sites", 9 a site,
// 20 a node still to be filled), the log lines (3 plain, 14 "*", 22 ">", 23 "<", 25 "!"), the tabs
// (45 "Edit", 12 "Info"), the editor tabs' marks (2 modified, 67 a server document), and the
// pictures of the commands. The main tool bar's list (32 x 32) holds the same pictures at the same
// indexes, except that 25 there is the binary transfer type. An index without a picture holds an
// empty one, so the numbering stays that of the stored actions.
namespace AppImage {
enum : int {
    // Commands.
    Connect = 0,
    Disconnect = 1,
    Upload = 4,
    Download = 5,
    NewFolder = 8,
    UpLevel = 10,
    Delete = 11,
    Properties = 13,
    ChangeFolder = 15,
    Refresh = 16,
    Wizard = 18,
    Quote = 19,
    Settings = 21,
    History = 27,
    Help = 28,
    Rename = 29,
    Search = 30,
    Exit = 32,
    EditDocument = 33,
    Bookmark = 38,
    SaveLocal = 51,
    Bold = 56,
    Underline = 57,
    Italic = 58,
    LineBreak = 59,
    Paragraph = 60,
    BackColour = 62,
    Picture = 63,
    Link = 64,
    FontColour = 65,
    MakeZip = 71,
    SaveRemote = 74,
    // The transfer types of the type button (the tool bar's list).
    TypeAuto = 24,
    TypeBinary = 25,
    TypeAscii = 26,
    // The window's states and marks.
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
    LogNotice = 25,
    InactivePane = 44,
    EditTab = 45,
    ServerDocument = 67,
    Count = 75,
};
}

// The picture of one index of the small image list, Size pixels wide (empty for the unused ones).
QImage AppImageAt(int Index, int Size = 16);
// Fills List (emptied first) with the AppImage::Count pictures of the small list.
void FillAppImages(TImageList& List);
// Fills List (emptied first) with the AppImage::Count pictures of the main tool bar, 32 x 32.
void FillToolbarImages(TImageList& List);
// The cursor of a drag of remote entries: an arrow with a page below it.
QCursor NewDragCursor();
// The picture the empty remote list shows while no session runs.
QImage LogoImage();
