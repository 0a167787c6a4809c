// FindFirst and friends over a snapshot of the folder's names (opendir) and stat of each match.
#include "platform/system/find_files.h"

#include "platform/rtl/file_names.h"
#include "platform/system/name_encoding.h"

#include <QDateTime>
#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

struct TFindState {
    QByteArray Folder; // encoded, with a trailing "/" unless empty
    QString Mask;      // empty for a literal name
    int ExcludeAttr = 0;
    std::vector<QByteArray> Names;
    std::size_t Next = 0;
};

namespace {

// Wildcard match: "*" any run, "?" any one character; remembers the last "*" to retry from.
bool MatchesMask(const QString& name, const QString& mask)
{
    qsizetype n = 0, m = 0, starMask = -1, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && (mask[m] == u'?' || mask[m] == name[n])) {
            ++n, ++m;
        } else if (m < mask.size() && mask[m] == u'*') {
            starMask = m++;
            starName = n;
        } else if (starMask >= 0) {
            m = starMask + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == u'*')
        ++m;
    return m == mask.size();
}

// Fills F from the entry's status; false when the entry has vanished.
bool Describe(const QByteArray& path, const QByteArray& name, TSearchRec& F)
{
    struct stat st;
    if (::stat(path.constData(), &st) != 0 && ::lstat(path.constData(), &st) != 0)
        return false;
    int attr = 0;
    if (S_ISDIR(st.st_mode))
        attr |= faDirectory;
    else if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) // a link here points nowhere
        attr |= faArchive;
    if (!(st.st_mode & S_IWUSR))
        attr |= faReadOnly;
    if (name.startsWith('.'))
        attr |= faHidden;
    F.Name = DecodeName(name);
    F.Attr = attr;
    F.Size = S_ISDIR(st.st_mode) || S_ISLNK(st.st_mode) ? 0 : std::int64_t(st.st_size);
    const qint64 msecs = qint64(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1000000;
    F.TimeStamp = QDateTimeToDateTime(QDateTime::fromMSecsSinceEpoch(msecs));
    return true;
}

int FolderError(int error)
{
    return error == EACCES ? win::ERROR_ACCESS_DENIED : win::ERROR_PATH_NOT_FOUND;
}

} // namespace

int FindFirst(const QString& Path, int Attr, TSearchRec& F)
{
    FindClose(F);
    auto state = std::make_shared<TFindState>();
    state->Folder = EncodeName(ExtractFilePath(Path));
    state->ExcludeAttr = ~Attr & (faHidden | faSysFile | faVolumeID | faDirectory);
    const QString name = ExtractFileName(Path);
    const QByteArray folder = state->Folder.isEmpty() ? QByteArray(".") : state->Folder;
    if (name.contains(u'*') || name.contains(u'?')) {
        state->Mask = name == u"*.*" ? QStringLiteral("*") : name;
        DIR* dir = ::opendir(folder.constData());
        if (!dir)
            return FolderError(errno);
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray entryName(entry->d_name);
            if (entryName != "." && entryName != "..")
                state->Names.push_back(entryName);
        }
        ::closedir(dir);
        std::sort(state->Names.begin(), state->Names.end());
    } else {
        struct stat st;
        if (::stat(folder.constData(), &st) != 0 || !S_ISDIR(st.st_mode))
            return win::ERROR_PATH_NOT_FOUND;
        if (!name.isEmpty())
            state->Names.push_back(EncodeName(name));
    }
    F.FindHandle = state;
    const int result = FindNext(F);
    if (result != 0) {
        FindClose(F);
        return win::ERROR_FILE_NOT_FOUND;
    }
    return 0;
}

int FindNext(TSearchRec& F)
{
    TFindState* state = F.FindHandle.get();
    if (!state)
        return win::ERROR_NO_MORE_FILES;
    while (state->Next < state->Names.size()) {
        const QByteArray& name = state->Names[state->Next++];
        if (!state->Mask.isEmpty() && !MatchesMask(DecodeName(name), state->Mask))
            continue;
        TSearchRec found;
        if (!Describe(state->Folder + name, name, found) || (found.Attr & state->ExcludeAttr) != 0)
            continue;
        F.Name = found.Name;
        F.Size = found.Size;
        F.Attr = found.Attr;
        F.TimeStamp = found.TimeStamp;
        return 0;
    }
    return win::ERROR_NO_MORE_FILES;
}

void FindClose(TSearchRec& F)
{
    F.FindHandle.reset();
}
