// TTarnwickFTPApp: the document filters of the settings, handed to the editor and the file dialogs.
#include "app/main_form.h"
#include "dialogs/ag_file_dialogs.h"
#include "editor/parser_repository.h"
#include "platform/rtl/string_list.h"
#include "routines/name_checks.h"
#include "settings/app_settings.h"

void TTarnwickFTPApp::ApplyEditFileFilters()
{
    const TStrings& filters = *AppSettings()->EditFileFilters();
    SetEditableExts(filters.Text());
    EditFileFilter = BuildFileFilter(filters);
    // The editor's dialogs list the same filters, so that the save dialog's choice names the
    // filter whose default extension a bare name gets.
    dlgSave->Filter = EditFileFilter;
    dlgOpen->Filter = EditFileFilter;
}
