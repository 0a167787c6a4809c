// The numbered string table.
#include "platform/rtl/resource_strings.h"

#include <algorithm>
#include <iterator>

namespace {

struct TResourceString {
    int Ident;
    const char* Text;
};

// Sorted by number.
constexpr TResourceString Strings[] = {
    {4128, "<Custom language>"},
    {4129, "%s: DFM file saved by different version of TSyntaxMemoParser.\r\nRecompile script to update DFM "
           "file.\r\nExpected version was %d read version was %d"},
    // Editor commands 0..47, by command number.
    {4146, "Cursor left"},
    {4147, "Cursor right"},
    {4148, "Line start"},
    {4149, "Line end"},
    {4150, "Up one line"},
    {4151, "Down one line"},
    {4152, "Up one page"},
    {4153, "Down one page"},
    {4154, "Move to word before"},
    {4155, "Move to word after"},
    {4156, "Document start"},
    {4157, "Document end"},
    {4158, "Cut to clipboard"},
    {4159, "Copy to clipboard"},
    {4160, "Paste from clipboard"},
    {4161, "Delete character at cursor"},
    {4162, "Delete character before caret"},
    {4163, "Indent selected block"},
    {4164, "Un-indent selected block"},
    {4165, "Toggle insert/overwrite mode"},
    {4166, "Set Bookmark 0"},
    {4167, "Set Bookmark 1"},
    {4168, "Set Bookmark 2"},
    {4169, "Set Bookmark 3"},
    {4170, "Set Bookmark 4"},
    {4171, "Set Bookmark 5"},
    {4172, "Set Bookmark 6"},
    {4173, "Set Bookmark 7"},
    {4174, "Set Bookmark 8"},
    {4175, "Set Bookmark 9"},
    {4176, "Goto Bookmark 0"},
    {4177, "Goto Bookmark 1"},
    {4178, "Goto Bookmark 2"},
    {4179, "Goto Bookmark 3"},
    {4180, "Goto Bookmark 4"},
    {4181, "Goto Bookmark 5"},
    {4182, "Goto Bookmark 6"},
    {4183, "Goto Bookmark 7"},
    {4184, "Goto Bookmark 8"},
    {4185, "Goto Bookmark 9"},
    {4186, "Delete current line"},
    {4187, "Undo"},
    {4188, "Redo"},
    {4189, "Delete previous word"},
    {4190, "Print selection"},
    {4191, "Delete next word"},
    {4192, "Scroll display up one line"},
    {4193, "Scroll display down one line"},
    {4196, "Cannot alloc memory for buffer!!"},
    {4197, "Bookmark index range error"},
    {4198, "Parser index out of range"},
    {4202, "Duplicate keyword - '%s'"},
    {4203, "Cannot write to a read-only stream"},
    {4204, "=Illegal default tab stop value, must be > 0"},
    {4205, "Tab stop column value expected"},
    {4206, "Tab columns must be in order and unique"},
    {4207, "Tab column must be > 1"},
    {4208, "Too many tab stops - maximum of "},
    {4257, "Bad key specifier"},
    {4401, "Replace this occurence of '%s' with '%s' ?"},
    {4402, "No active parser"},
    {4403, "not found."},
    {4404, "Search string"},
};

} // namespace

QString LoadStr(int Ident)
{
    const auto* found = std::lower_bound(std::begin(Strings), std::end(Strings), Ident,
                                         [](const TResourceString& s, int id) { return s.Ident < id; });
    if (found == std::end(Strings) || found->Ident != Ident)
        return {};
    return QString::fromUtf8(found->Text);
}
