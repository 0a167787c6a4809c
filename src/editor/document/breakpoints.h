// Breakpoints: line markers with display values that follow the text through edits
// (TSM_Breakpoints with its TSM_BreakpointData entries), and the execution-point marker
// TSM_CodeBreak.
#pragma once

#include "platform/rtl/object.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class TSM_Breakpoints;
class TSM_BreakpointData;

using TSM_BreakpointEvent = std::function<void(TObject* Sender, TSM_BreakpointData* Breakpoint)>;

// How the painter shows a breakpoint line: a gutter image and two colours (BGR values).
struct TBreakpointStyle {
    int Image;
    std::int32_t Color1;
    std::int32_t Color2;
};

class TSM_BreakpointData : public TObject {
public:
    TSM_BreakpointData(std::int32_t Value2, bool Active, const QString& Text, std::int32_t Value1);
    // Clears Valid and fires OnFree.
    ~TSM_BreakpointData() override;

    bool Active() const { return active_; }
    // A change invalidates the owner's editor, marks the owner changed and fires OnStateChange.
    void SetActive(bool Value);

    int Position = 0; // the start of the breakpoint's line
    bool Valid = true;
    std::int32_t Value1;
    std::int32_t Value2;
    QString Text;
    TSM_Breakpoints* Owner = nullptr;
    TSM_BreakpointEvent OnFree;
    TSM_BreakpointEvent OnStateChange;

private:
    bool active_;
};

// The breakpoints of one document, owned by the list. Entries are looked up by their line start.
class TSM_Breakpoints : public TObject {
public:
    TSM_Breakpoints() = default;
    // Frees every entry.
    ~TSM_Breakpoints() override;

    // Takes the entry, binds it to this list and its events to OnBreakpointFree and
    // OnBreakpointStateChange.
    TSM_BreakpointData* Add(std::unique_ptr<TSM_BreakpointData> Breakpoint);
    // Frees the entry.
    void Remove(TSM_BreakpointData* Breakpoint);
    int Count() const { return int(items_.size()); }
    TSM_BreakpointData* Items(int Index) const { return items_[std::size_t(Index)].get(); }

    // True when an entry sits exactly at Pos, with its display values.
    virtual bool GetBreakpointStyle(int Pos, TBreakpointStyle& Style);
    // Moves the entries with an edit at Pos: Delta characters inserted (> 0) or removed (< 0).
    // WholeLines tells that the inserted text ends with a line end, or that the removed text runs
    // from a line start through a line end. An entry whose line start was removed, or whose line
    // was joined to the line before, goes away (see Delete); an entry at Pos stays with its line
    // unless whole lines were inserted or removed there.
    void AdjustForEdit(int Pos, int Delta, bool WholeLines);

    TBreakpointStyle InactiveStyle{12, 0x00FFFF, 0x008000};
    TBreakpointStyle ActiveStyle{11, 0xFFFFFF, 0x0000FF};
    // An entry was added, removed or changed its state since this was last cleared.
    bool Changed = false;
    // Repaints the line at Pos in the editor that shows the breakpoints.
    std::function<void(int Pos)> OnInvalidate;
    TSM_BreakpointEvent OnBreakpointFree;
    TSM_BreakpointEvent OnBreakpointStateChange;

protected:
    // An edit removed the entry's line.
    virtual void Delete(TSM_BreakpointData* Breakpoint, int Pos);
    TSM_BreakpointData* Find(int Pos);

private:
    std::vector<std::unique_ptr<TSM_BreakpointData>> items_;
    bool sorted_ = true;
};

// The current execution point: one marker, shown only while active.
class TSM_CodeBreak : public TSM_Breakpoints {
public:
    TSM_CodeBreak();

    TSM_BreakpointData* Marker() const { return Items(0); }
    bool GetBreakpointStyle(int Pos, TBreakpointStyle& Style) override;

    TBreakpointStyle MarkerStyle{12, 0xFFFFFF, 0x800000};

protected:
    // The marker is never freed by an edit: it becomes inactive.
    void Delete(TSM_BreakpointData* Breakpoint, int Pos) override;
};
