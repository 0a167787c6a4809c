// TStrings' generic operations and TStringList's storage, sorting and change events.
#include "platform/rtl/string_list.h"

#include "platform/rtl/events.h"
#include "platform/rtl/streams.h"
#include "platform/system/name_encoding.h"

#include <algorithm>

// --- TStrings ---

int TStrings::Add(const QString& S)
{
    const int index = Count();
    Insert(index, S);
    return index;
}

int TStrings::AddObject(const QString& S, TObject* AObject)
{
    const int index = Add(S);
    PutObject(index, AObject);
    return index;
}

void TStrings::InsertObject(int Index, const QString& S, TObject* AObject)
{
    Insert(Index, S);
    PutObject(Index, AObject);
}

void TStrings::Assign(const TStrings& Source)
{
    if (&Source == this)
        return;
    BeginUpdate();
    try {
        Clear();
        AddStrings(Source);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::AddStrings(const TStrings& Strings)
{
    BeginUpdate();
    try {
        const int count = Strings.Count(); // Strings may be this list
        for (int i = 0; i < count; ++i)
            AddObject(Strings.Strings(i), Strings.Objects(i));
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

int TStrings::IndexOf(const QString& S) const
{
    for (int i = 0; i < Count(); ++i) {
        if (CompareStrings(Get(i), S) == 0)
            return i;
    }
    return -1;
}

int TStrings::IndexOfObject(const TObject* AObject) const
{
    for (int i = 0; i < Count(); ++i) {
        if (GetObject(i) == AObject)
            return i;
    }
    return -1;
}

QString TStrings::Names(int Index) const
{
    const QString line = Get(Index);
    const qsizetype equals = line.indexOf(u'=');
    return equals < 0 ? QString() : line.left(equals);
}

int TStrings::IndexOfName(const QString& Name) const
{
    for (int i = 0; i < Count(); ++i) {
        const QString line = Get(i);
        const qsizetype equals = line.indexOf(u'=');
        if (equals >= 0 && CompareStrings(line.left(equals), Name) == 0)
            return i;
    }
    return -1;
}

QString TStrings::Values(const QString& Name) const
{
    const int index = IndexOfName(Name);
    if (index < 0)
        return {};
    const QString line = Get(index);
    return line.mid(line.indexOf(u'=') + 1);
}

void TStrings::SetValues(const QString& Name, const QString& Value)
{
    const int index = IndexOfName(Name);
    if (Value.isEmpty()) {
        if (index >= 0)
            Delete(index);
    } else if (index < 0) {
        Add(Name + u'=' + Value);
    } else {
        Put(index, Name + u'=' + Value);
    }
}

QString TStrings::Text() const
{
    QString text;
    for (int i = 0; i < Count(); ++i) {
        text += Get(i);
        text += u'\n';
    }
    return text;
}

void TStrings::SetText(const QString& Text)
{
    BeginUpdate();
    try {
        Clear();
        qsizetype start = 0;
        while (start < Text.size()) {
            qsizetype end = start;
            while (end < Text.size() && Text[end] != u'\r' && Text[end] != u'\n')
                ++end;
            Add(Text.mid(start, end - start));
            if (end < Text.size() && Text[end] == u'\r' && end + 1 < Text.size() && Text[end + 1] == u'\n')
                ++end;
            start = end + 1;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStrings::LoadFromStream(TStream& Stream)
{
    const std::int64_t size = Stream.Size() - Stream.Position();
    QByteArray bytes(qsizetype(std::max<std::int64_t>(size, 0)), Qt::Uninitialized);
    bytes.truncate(qsizetype(Stream.Read(bytes.data(), bytes.size())));
    SetText(DecodeName(bytes));
}

void TStrings::SaveToStream(TStream& Stream) const
{
    const QByteArray bytes = EncodeName(Text());
    Stream.WriteBuffer(bytes.constData(), bytes.size());
}

void TStrings::LoadFromFile(const QString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TStrings::SaveToFile(const QString& FileName) const
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
    stream.FlushBuffer();
}

void TStrings::BeginUpdate()
{
    if (updateCount_ == 0)
        SetUpdateState(true);
    ++updateCount_;
}

void TStrings::EndUpdate()
{
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0)
        SetUpdateState(false);
}

void TStrings::Put(int Index, const QString& S)
{
    TObject* object = GetObject(Index);
    BeginUpdate();
    try {
        Delete(Index);
        InsertObject(Index, S, object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

TObject* TStrings::GetObject(int) const
{
    return nullptr;
}

void TStrings::PutObject(int, TObject*) {}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const QString& S1, const QString& S2) const
{
    return QString::compare(S1, S2, Qt::CaseInsensitive);
}

// --- TStringList ---

TStringList::~TStringList()
{
    // Freeing the list is no change anybody listens to.
    OnChange = nullptr;
    OnChanging = nullptr;
}

void TStringList::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index > Limit)
        throw EStringListError(QStringLiteral("List index out of bounds (%1)").arg(Index));
}

void TStringList::InsertItem(int Index, const QString& S, TObject* AObject)
{
    Changing();
    items_.insert(items_.begin() + Index, Item{S, AObject});
    Changed();
}

int TStringList::Add(const QString& S)
{
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const QString& S, TObject* AObject)
{
    int index = Count();
    if (sorted_ && Find(S, index)) {
        if (Duplicates == dupIgnore)
            return index;
        if (Duplicates == dupError)
            throw EStringListError(QStringLiteral("String list does not allow duplicates"));
        while (index < Count() && CompareStrings(items_[index].String, S) == 0)
            ++index; // an accepted duplicate goes after its equals
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const QString& S)
{
    if (sorted_)
        throw EStringListError(QStringLiteral("Operation not allowed on sorted string list"));
    CheckIndex(Index, Count());
    InsertItem(Index, S, nullptr);
}

void TStringList::Delete(int Index)
{
    CheckIndex(Index, Count() - 1);
    Changing();
    items_.erase(items_.begin() + Index);
    Changed();
}

void TStringList::Clear()
{
    if (items_.empty())
        return;
    Changing();
    items_.clear();
    Changed();
}

int TStringList::IndexOf(const QString& S) const
{
    if (!sorted_)
        return TStrings::IndexOf(S);
    int index;
    return Find(S, index) ? index : -1;
}

bool TStringList::Find(const QString& S, int& Index) const
{
    const auto first =
        std::lower_bound(items_.begin(), items_.end(), S, [this](const Item& item, const QString& s) {
            return CompareStrings(item.String, s) < 0;
        });
    Index = int(first - items_.begin());
    return first != items_.end() && CompareStrings(first->String, S) == 0;
}

void TStringList::Sort()
{
    if (items_.size() < 2)
        return;
    Changing();
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const Item& a, const Item& b) { return CompareStrings(a.String, b.String) < 0; });
    Changed();
}

void TStringList::SetSorted(bool Value)
{
    if (Value == sorted_)
        return;
    if (Value)
        Sort();
    sorted_ = Value;
}

void TStringList::SetCaseSensitive(bool Value)
{
    if (Value == caseSensitive_)
        return;
    caseSensitive_ = Value;
    if (sorted_)
        Sort();
}

QString TStringList::Get(int Index) const
{
    CheckIndex(Index, Count() - 1);
    return items_[Index].String;
}

void TStringList::Put(int Index, const QString& S)
{
    CheckIndex(Index, Count() - 1);
    if (sorted_) {
        // Equal neighbours are in order only where duplicates are accepted.
        const int least = Duplicates == dupAccept ? 0 : 1;
        const bool afterPrevious = Index == 0 || CompareStrings(items_[Index - 1].String, S) <= -least;
        const bool beforeNext = Index == Count() - 1 || CompareStrings(S, items_[Index + 1].String) <= -least;
        if (!afterPrevious || !beforeNext)
            throw EStringListError(QStringLiteral("Operation not allowed on sorted string list"));
    }
    Changing();
    items_[Index].String = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const
{
    CheckIndex(Index, Count() - 1);
    return items_[Index].Object;
}

void TStringList::PutObject(int Index, TObject* AObject)
{
    CheckIndex(Index, Count() - 1);
    Changing();
    items_[Index].Object = AObject;
    Changed();
}

void TStringList::SetUpdateState(bool Updating)
{
    if (Updating)
        Changing();
    else
        Changed();
}

int TStringList::CompareStrings(const QString& S1, const QString& S2) const
{
    return QString::compare(S1, S2, caseSensitive_ ? Qt::CaseSensitive : Qt::CaseInsensitive);
}

void TStringList::Changed()
{
    if (UpdateCount() == 0)
        Fire(OnChange, this);
}

void TStringList::Changing()
{
    if (UpdateCount() == 0)
        Fire(OnChanging, this);
}
