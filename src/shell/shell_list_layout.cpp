// The process-wide column layout of the shell lists.
#include "shell/shell_list_layout.h"

#include "platform/registry/registry.h"
#include "platform/rtl/streams.h"

#include <QtEndian>
#include <array>

namespace {

// Where the shell keeps the widths of its own columns.
const QString ExplorerKey = QStringLiteral("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
const QString DirectoryColsValue = QStringLiteral("DirectoryCols");
constexpr int MaxDirectoryCols = 22;

// The default widths of Name, Size, Type and Modified (and a fifth, unused), as 16-bit words.
QByteArray DefaultDirectoryCols()
{
    QByteArray data(MaxDirectoryCols, '\0');
    const std::array<quint16, 5> widths{200, 60, 100, 120, 50};
    for (std::size_t i = 0; i < widths.size(); ++i)
        qToLittleEndian(widths[i], data.data() + 2 * i);
    return data;
}

} // namespace

TDirectoryCols ReadDirectoryCols()
{
    TDirectoryCols data{DefaultDirectoryCols(), 10};
    try {
        TRegistry registry;
        if (registry.OpenKeyReadOnly(ExplorerKey) && registry.ValueExists(DirectoryColsValue)) {
            const int size = registry.GetDataSize(DirectoryColsValue);
            if (size >= 0 && size <= MaxDirectoryCols) {
                QByteArray value(MaxDirectoryCols, '\0');
                const int read = registry.ReadBinaryData(DirectoryColsValue, value.data(), MaxDirectoryCols);
                std::copy_n(value.constData(), read, data.Words.data());
                data.Length = read;
            }
        }
    } catch (const std::exception&) {
        // The defaults stand.
    }
    return data;
}


TMemoryStream& ShellListColumnLayout()
{
    static TMemoryStream layout;
    return layout;
}

int TDirectoryCols::Width(int Column) const
{
    return qFromLittleEndian<quint16>(Words.constData() + 2 * Column);
}

TDirectoryCols& ShellListDirectoryCols()
{
    static TDirectoryCols saved;
    return saved;
}
