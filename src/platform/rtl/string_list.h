// TStrings, the list of text lines with attached objects that the class library's controls and
// routines share, and TStringList, its plain implementation with sorting and change events.
#pragma once

#include "platform/rtl/exception.h"
#include "platform/rtl/object.h"

#include <QString>
#include <functional>
#include <vector>

class TStream;

// Index out of range, a duplicate refused by dupError, or an edit that would break a sorted order.
class EStringListError : public Exception {
public:
    using Exception::Exception;
};

// The lines of a list, each with an object pointer the list does not own. Descendants store the
// lines (Count, Get, Insert, Delete, Clear, and Put and the object slots when they keep them);
// everything else is built on those. A list that stands for another store (an editor's lines) may
// also replace Text, SetText, AddStrings and the stream operations.
//
// Text in files and streams is UTF-8 read with DecodeName and written with EncodeName, so any
// bytes survive a load and save unchanged. Lines end with "\n" when written; reading takes CR LF,
// a lone LF and a lone CR as line ends, and no empty line follows a final line end.
class TStrings : public TObject {
public:
    using TNotifyEvent = std::function<void(TObject* Sender)>;

    virtual int Count() const = 0;
    QString Strings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const QString& S) { Put(Index, S); }
    TObject* Objects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    // Appends a line (a sorted list puts it in its place); returns its index.
    virtual int Add(const QString& S);
    virtual int AddObject(const QString& S, TObject* AObject);
    virtual void Insert(int Index, const QString& S) = 0;
    void InsertObject(int Index, const QString& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    // Replaces the lines and objects with Source's.
    virtual void Assign(const TStrings& Source);
    virtual void AddStrings(const TStrings& Strings);

    // The index of the first line equal to S under CompareStrings, -1 when none.
    virtual int IndexOf(const QString& S) const;
    int IndexOfObject(const TObject* AObject) const;

    // Lines of the form Name=Value. Names(i) is the text before the first "=" (empty without one).
    QString Names(int Index) const;
    // The index of the first line whose name equals Name under CompareStrings, -1 when none.
    int IndexOfName(const QString& Name) const;
    // The text after the "=" of the line named Name; empty when there is none.
    QString Values(const QString& Name) const;
    // Sets the line named Name to Name=Value, adding it when missing; an empty Value deletes it.
    void SetValues(const QString& Name, const QString& Value);

    // All lines, each followed by "\n".
    virtual QString Text() const;
    virtual void SetText(const QString& Text);

    // Reads the stream from its position to its end.
    virtual void LoadFromStream(TStream& Stream);
    virtual void SaveToStream(TStream& Stream) const;
    // Raise the file stream's EFOpenError or EFCreateError.
    void LoadFromFile(const QString& FileName);
    void SaveToFile(const QString& FileName) const;

    // Nested: only the outermost pair calls SetUpdateState, so a whole batch of changes reports once.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return updateCount_; }

protected:
    virtual QString Get(int Index) const = 0;
    // Replaces a line and keeps its object; the default deletes and inserts.
    virtual void Put(int Index, const QString& S);
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    // Called with true by the outermost BeginUpdate and with false by the matching EndUpdate.
    virtual void SetUpdateState(bool Updating);
    // The comparison behind IndexOf and IndexOfName: ignores case here.
    virtual int CompareStrings(const QString& S1, const QString& S2) const;

private:
    int updateCount_ = 0;
};

enum TDuplicates {
    dupIgnore, // adding a line a sorted list already holds returns the existing index
    dupAccept, // the line is added again
    dupError,  // EStringListError "String list does not allow duplicates"
};

// The list of lines itself. OnChanging fires before and OnChange after every change, except inside
// BeginUpdate/EndUpdate, where the outermost BeginUpdate fires OnChanging and its EndUpdate OnChange.
class TStringList : public TStrings {
public:
    ~TStringList() override;

    int Count() const override { return int(items_.size()); }
    int Add(const QString& S) override;
    int AddObject(const QString& S, TObject* AObject) override;
    // Not allowed on a sorted list.
    void Insert(int Index, const QString& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const QString& S) const override;
    // Binary search of a sorted list: true when S is there, Index the first line equal to it;
    // otherwise Index is where S would go.
    bool Find(const QString& S, int& Index) const;
    // Sorts by CompareStrings; equal lines keep their order.
    void Sort();

    // A sorted list keeps its lines in CompareStrings order; setting it sorts the list.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool Value);
    // Comparisons ignore case unless set (case is compared code unit by code unit); changing it
    // re-sorts a sorted list.
    bool CaseSensitive() const { return caseSensitive_; }
    void SetCaseSensitive(bool Value);
    // What adding a line already present does to a sorted list.
    TDuplicates Duplicates = dupIgnore;

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    QString Get(int Index) const override;
    // On a sorted list only when the line stays in order (so Values can change a value there).
    void Put(int Index, const QString& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const QString& S1, const QString& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct Item {
        QString String;
        TObject* Object;
    };
    void CheckIndex(int Index, int Limit) const;
    void InsertItem(int Index, const QString& S, TObject* AObject);

    std::vector<Item> items_;
    bool sorted_ = false;
    bool caseSensitive_ = false;
};
