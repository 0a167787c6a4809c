// What the shell controls' drag-and-drop tests share: a data object of dropped files, a block a
// data object gives, a scripted
// drag loop for a scope, a Send To entry, and the check that a control's drop registration
// follows its option and its window.
#pragma once

#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/ole/medium.h"

#include "platform/fake_data_object.h"
#include "platform/ole/drop_files.h"
#include "support/temp_tree.h"

#include <gtest/gtest.h>

// A data object of Names, as another program drops them (a wide CF_HDROP block).
inline win::ComPtr<FakeDataObject> DroppedFiles(const QStringList& Names)
{
    win::ComPtr<FakeDataObject> data = win::MakeComObject<FakeDataObject>();
    data->Offer(win::CF_HDROP, win::MakeDropFiles(Names, true));
    return data;
}

// The block of Format Data gives as global memory; empty when it gives none.
inline QByteArray DataBlock(win::IDataObject* Data, win::CLIPFORMAT Format)
{
    win::FORMATETC format;
    format.cfFormat = Format;
    format.tymed = win::TYMED_HGLOBAL;
    win::STGMEDIUM medium;
    if (win::FAILED(Data->GetData(&format, &medium)))
        return {};
    const QByteArray bytes = win::BytesOfMedium(medium).value_or(QByteArray());
    win::ReleaseStgMedium(&medium);
    return bytes;
}

// Makes the drag loop a script while it lives.
struct TDragScript {
    explicit TDragScript(std::vector<win::ScriptedDragLoop::TStep> Steps) : loop(std::move(Steps))
    {
        win::SetDragLoop(&loop);
    }
    ~TDragScript() { win::SetDragLoop(nullptr); }
    win::ScriptedDragLoop loop;
};

// The program's Send To folder below Tree's "data" folder, whose one entry "inbox" links to
// Tree's folder "inbox".
inline void MakeSendToInbox(const TTempTree& Tree)
{
    Tree.Folder("inbox");
    Tree.Link("send/inbox", Tree.Path("inbox"));
    Tree.Link("data/tarnwick-halyard/SendTo", Tree.Path("send"));
}

// Control (created, with OleDrop set) has a drop target registered while the option stays set
// and its window is there.
template <class TControl, class TOption>
void ExpectDropRegistrationFollows(TControl& Control, TOption OleDrop)
{
    EXPECT_NE(win::RegisteredDropTarget(&Control), nullptr);
    Control.SetOptions(Control.Options() & ~OleDrop);
    EXPECT_EQ(win::RegisteredDropTarget(&Control), nullptr);
    Control.SetOptions(Control.Options() | OleDrop);
    EXPECT_NE(win::RegisteredDropTarget(&Control), nullptr);
    Control.DestroyWnd();
    EXPECT_EQ(win::RegisteredDropTarget(&Control), nullptr);
}
