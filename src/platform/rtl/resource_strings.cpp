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
    {4096, "'=' expected"},
    {4097, "'(' expected"},
    {4098, "')' expected"},
    {4099, "',' expected"},
    {4100, "'[' expected"},
    {4101, "']' expected"},
    {4102, "String value expected"},
    {4103, "Script syntax error"},
    {4104, "Expression expected"},
    {4105, "Too many editable styles"},
    {4106, "Value must be 0..255"},
    {4107, "Character range error"},
    {4108, "Duplicate entry in %%word table"},
    {4109, "Single character specifier expected"},
    {4110, "Maximum of 4 character specifier allowed"},
    {4111, "Numeric value out of range"},
    {4112, "Duplicate entry in %%handler table"},
    {4113, "Ambigious start set in %%token table"},
    {4114, "Duplicate %%effect entry"},
    {4115, "Bad font style specifier"},
    {4116, "Unexpected EOF"},
    {4117, "Unknown script identifier"},
    {4118, "Key function name cannot be blank"},
    {4119, "Key specification required"},
    {4120, "Not implemented yet"},
    {4121, "Recursive expansion of macro '%s'"},
    {4122, "** ERROR near line %d, Column %d: %s"},
    {4123, "#include filename missing terminating %s"},
    {4124, "Unable to open #include file %s%s%s"},
    {4125, "Identifier"},
    {4126, "Unknown"},
    {4127, "Unknown character in input stream: #$%.2x"},
    {4128, "<Custom language>"},
    {4129, "%s: DFM file saved by different version of TSyntaxMemoParser.\r\nRecompile script to update DFM "
           "file.\r\nExpected version was %d read version was %d"},
    {4130, "Range error, value outwith %d .. %d"},
    {4131, "Token value %d re-specified in ContextState"},
    {4132, "Invalid data in registry entry"},
    {4133, "Invalid data in style string"},
    {4134, "Macro name expected after #ifdef"},
    {4135, "#include filename not enclosed in \"...\" or <...>"},
    {4136, "Macro name expected"},
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
