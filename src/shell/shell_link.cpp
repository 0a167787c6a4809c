// ReadShellLink over the platform's link reader.
#include "shell/shell_link.h"

#include "platform/shellapi/shell_execute.h"
#include "platform/shellapi/shell_links.h"
#include "platform/system/name_encoding.h"
#include "shell/pidl_routines.h"

#include <climits>

win::HRESULT ReadShellLink(const QString& LinkFile, TLinkData& Data, bool WantPidl)
{
    const std::uint8_t resolveMode = Data.ResolveMode;
    Data = TLinkData();
    Data.ResolveMode = resolveMode;
    if (EncodeName(LinkFile).size() >= PATH_MAX)
        return win::E_INVALIDARG;
    TLinkTarget target;
    win::HRESULT result = ReadLinkFile(LinkFile, target);
    if (win::FAILED(result))
        return result;
    Data.Path = target.Path;
    Data.Arguments = target.Arguments;
    Data.Description = target.Description;
    Data.IconLocation = target.IconLocation;
    Data.WorkingFolder = target.WorkingFolder;
    Data.ShowCommand = win::SW_SHOWNORMAL;
    Data.ValidFields = ldfAll;
    // A name holding "*" or "?" is a pattern to the search: only the target itself counts.
    const QString name = Data.Path.mid(Data.Path.lastIndexOf(QLatin1Char('/')) + 1);
    if (FindFirst(Data.Path, faAnyFile, Data.FindData) != 0 || Data.FindData.Name != name)
        Data.FindData = TSearchRec();
    FindClose(Data.FindData);
    if (WantPidl)
        result = PathToPidl(Data.Path, Data.Pidl);
    return result;
}
