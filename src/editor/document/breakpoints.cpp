// Breakpoint entries, the breakpoint list and the execution-point marker.
#include "editor/document/breakpoints.h"

#include "platform/rtl/events.h"

#include <algorithm>

TSM_BreakpointData::TSM_BreakpointData(std::int32_t Value2, bool Active, const QString& Text,
                                       std::int32_t Value1)
    : Value1(Value1), Value2(Value2), Text(Text), active_(Active)
{
}

TSM_BreakpointData::~TSM_BreakpointData()
{
    Valid = false;
    Fire(OnFree, this, this);
}

void TSM_BreakpointData::SetActive(bool Value)
{
    if (Value == active_)
        return;
    active_ = Value;
    if (Owner) {
        Fire(Owner->OnInvalidate, Position);
        Owner->Changed = true;
    }
    Fire(OnStateChange, this, this);
}

TSM_Breakpoints::~TSM_Breakpoints()
{
    // The entries report their freeing while the list's events are still there.
    items_.clear();
}

TSM_BreakpointData* TSM_Breakpoints::Add(std::unique_ptr<TSM_BreakpointData> Breakpoint)
{
    TSM_BreakpointData* added = Breakpoint.get();
    added->Owner = this;
    added->OnFree = [this](TObject* Sender, TSM_BreakpointData* Entry) {
        Fire(OnBreakpointFree, Sender, Entry);
    };
    added->OnStateChange = [this](TObject* Sender, TSM_BreakpointData* Entry) {
        Fire(OnBreakpointStateChange, Sender, Entry);
    };
    items_.push_back(std::move(Breakpoint));
    sorted_ = false;
    Changed = true;
    return added;
}

void TSM_Breakpoints::Remove(TSM_BreakpointData* Breakpoint)
{
    const auto it =
        std::find_if(items_.begin(), items_.end(), [&](const auto& b) { return b.get() == Breakpoint; });
    if (it == items_.end())
        return;
    std::unique_ptr<TSM_BreakpointData> freed = std::move(*it);
    items_.erase(it);
    Changed = true;
}

TSM_BreakpointData* TSM_Breakpoints::Find(int Pos)
{
    if (!sorted_) {
        std::stable_sort(items_.begin(), items_.end(),
                         [](const auto& a, const auto& b) { return a->Position < b->Position; });
        sorted_ = true;
    }
    const auto it = std::lower_bound(items_.begin(), items_.end(), Pos,
                                     [](const auto& b, int pos) { return b->Position < pos; });
    return it != items_.end() && (*it)->Position == Pos ? it->get() : nullptr;
}

bool TSM_Breakpoints::GetBreakpointStyle(int Pos, TBreakpointStyle& Style)
{
    const TSM_BreakpointData* found = Find(Pos);
    if (!found)
        return false;
    Style = found->Active() ? ActiveStyle : InactiveStyle;
    return true;
}

void TSM_Breakpoints::AdjustForEdit(int Pos, int Delta, bool WholeLines)
{
    if (Delta == 0)
        return;
    std::vector<TSM_BreakpointData*> removed;
    for (const std::unique_ptr<TSM_BreakpointData>& entry : items_) {
        int& position = entry->Position;
        if (position < Pos)
            continue;
        const int end = Pos - Delta; // the end of a removed range
        if (Delta > 0) {
            if (position > Pos || WholeLines)
                position += Delta;
        } else if (WholeLines ? position >= end : position > end) {
            position += Delta;
        } else if (WholeLines || position > Pos) {
            // The line lost its start: removed with it, or joined to the line before.
            removed.push_back(entry.get());
        }
    }
    for (TSM_BreakpointData* entry : removed)
        Delete(entry, Pos);
}

void TSM_Breakpoints::Delete(TSM_BreakpointData* Breakpoint, int)
{
    Remove(Breakpoint);
}

TSM_CodeBreak::TSM_CodeBreak()
{
    Add(std::make_unique<TSM_BreakpointData>(0, false, QString(), 0));
    Changed = false;
}

bool TSM_CodeBreak::GetBreakpointStyle(int Pos, TBreakpointStyle& Style)
{
    if (!Marker()->Active() || Marker()->Position != Pos)
        return false;
    Style = MarkerStyle;
    return true;
}

void TSM_CodeBreak::Delete(TSM_BreakpointData* Breakpoint, int Pos)
{
    Breakpoint->Position = Pos;
    Breakpoint->SetActive(false);
}
