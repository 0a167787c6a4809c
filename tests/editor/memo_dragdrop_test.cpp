// The editor control's OLE drag and drop: the formats a drop takes and the application's filter,
// text inserted at the drop point as one undo step, moves within the editor, dropped files, the
// effects answered, the drop caret, the data object and drop source of a drag out, and drags
// played by the scripted drag loop between editors.
#include "../platform/fake_data_object.h"
#include "editor/memo_formats.h"
#include "editor/syn_memo_data_object.h"
#include "editor/syn_memo_drop_target.h"
#include "key_memo.h"

#include "platform/ole/bridge/drop_registration.h"
#include "platform/ole/bridge/scripted_drag_loop.h"
#include "platform/ole/cf_html.h"
#include "platform/ole/drop_files.h"
#include "platform/ole/hglobal.h"
#include "platform/ole/mime_map.h"

#include <gtest/gtest.h>

#include <QMimeData>
#include <QMouseEvent>
#include <cstring>

using namespace win;

namespace {

QByteArray Wide(const QString& Text)
{
    return QByteArray(reinterpret_cast<const char*>(Text.utf16()), Text.size() * 2) + QByteArray(2, '\0');
}

// An editor of 40 columns and 5 rows, with mouse events at text cells.
class TDropMemo : public TKeyMemo {
public:
    TDropMemo() : TKeyMemo(40, 5)
    {
        DoubleClickInterval = 0;
        SetOption(smoOLEDragSource, true);
    }

    QPoint Cell(int Column, int Row) const
    {
        return {TextLeft() + Column * Metrics().CharWidth + 1, Row * Metrics().LineHeight + 1};
    }
    POINTL Screen(QPoint Client) const
    {
        const QPoint point = viewport()->mapToGlobal(Client);
        return {point.x(), point.y()};
    }
    IDropTarget* Target() const { return RegisteredDropTarget(viewport()); }

    struct TDrop {
        HRESULT Result;
        DWORD Effect;
    };
    // DragEnter, DragOver and Drop of Data at a client point with the key state, offering Allowed.
    TDrop Drop(IDataObject* Data, QPoint At, DWORD Keys = 0, DWORD Allowed = DROPEFFECT_COPY | DROPEFFECT_MOVE)
    {
        DWORD effect = Allowed;
        Target()->DragEnter(Data, Keys | MK_LBUTTON, Screen(At), &effect);
        effect = Allowed;
        Target()->DragOver(Keys | MK_LBUTTON, Screen(At), &effect);
        effect = Allowed;
        const HRESULT result = Target()->Drop(Data, Keys, Screen(At), &effect);
        return {result, effect};
    }

    // Presses inside the selection at From and moves away, which starts the drag.
    void StartDrag(QPoint From)
    {
        Send(QEvent::MouseButtonPress, From, Qt::LeftButton);
        Send(QEvent::MouseMove, From + QPoint(30, 0), Qt::LeftButton);
        Send(QEvent::MouseButtonRelease, From + QPoint(30, 0), Qt::NoButton);
    }

private:
    void Send(QEvent::Type Type, QPoint Point, Qt::MouseButtons Buttons)
    {
        const Qt::MouseButton button = Type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(Type, Point, viewport()->mapToGlobal(Point), button, Buttons, {});
        QApplication::sendEvent(viewport(), &event);
    }
};

// A data object offering text: CF_TEXT "ansi", CF_UNICODETEXT "uni", HTML with a fragment, or a
// file list, as the flags say.
ComPtr<FakeDataObject> Offering(unsigned Flags, const QStringList& Files = {})
{
    auto data = MakeComObject<FakeDataObject>();
    if (Flags & stPlainText)
        data->Offer(CF_TEXT, QByteArray("ansi", 5));
    if (Flags & stUnicodeText)
        data->Offer(CF_UNICODETEXT, Wide(QStringLiteral("uni")));
    if (Flags & htmlTrim)
        data->Offer(CLIPFORMAT(HtmlFormat()), MakeCfHtml("<b>html</b>"));
    if (Flags & stFiles)
        data->Offer(CF_HDROP, MakeDropFiles(Files, true));
    return data;
}

// Runs a scripted drag loop while it lives.
class TScriptedDrag {
public:
    explicit TScriptedDrag(std::vector<ScriptedDragLoop::TStep> Steps) : loop_(std::move(Steps)) { SetDragLoop(&loop_); }
    ~TScriptedDrag() { SetDragLoop(nullptr); }

private:
    ScriptedDragLoop loop_;
};

// The steps of a drag over a widget's client point that ends in a drop there (or Escape).
std::vector<ScriptedDragLoop::TStep> DragTo(QWidget* Widget, QPoint At, bool Escape = false)
{
    return {{Widget, At, MK_LBUTTON, false}, {Widget, At, Escape ? MK_LBUTTON : 0, Escape}};
}

} // namespace

TEST(MemoDragDrop, TheFormatADropTakes)
{
    const QStringList files{QStringLiteral("/tmp/a"), QStringLiteral("/tmp/b")};
    struct Case {
        const char* name;
        unsigned offered;
        unsigned clear; // OnDataDrop clears these bits
        unsigned set;   // and sets these
        const char* inserted; // null: refused
    };
    const Case cases[] = {
        {"ANSI before Unicode", stPlainText | stUnicodeText, 0, 0, "ansi"},
        {"clearing ANSI picks Unicode", stPlainText | stUnicodeText, stPlainText, 0, "uni"},
        {"HTML first, trimmed to its fragment", stPlainText | stUnicodeText | htmlTrim, 0x0400, 0x2000, "<b>html</b>"},
        {"without HTML the ANSI text", stPlainText | htmlTrim, htmlTrim, 0, "ansi"},
        {"refused", stPlainText | stUnicodeText | htmlTrim, 0, stRefuse, nullptr},
        {"nothing left", stUnicodeText, stUnicodeText, 0, nullptr},
        {"file names as text without a files handler", stFiles, 0, 0, "/tmp/a\r/tmp/b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDropMemo memo;
        memo.SetOption(smoProcessDroppedFiles, true);
        memo.SetTextBuffer("[]");
        unsigned seen = 0;
        memo.OnDataDrop = [&](TObject*, unsigned& Types) {
            seen = Types;
            Types = (Types & ~c.clear) | c.set;
        };
        const auto drop = memo.Drop(Offering(c.offered, files).Get(), memo.Cell(1, 0));
        EXPECT_EQ(seen, c.offered | stDropped);
        EXPECT_EQ(drop.Result, S_OK);
        if (c.inserted) {
            EXPECT_EQ(memo.Text(), "[" + std::string(c.inserted) + "]");
        } else {
            EXPECT_EQ(memo.Text(), "[]");
            EXPECT_EQ(drop.Effect, DROPEFFECT_NONE);
            EXPECT_FALSE(memo.CanUndo());
        }
    }
}

TEST(MemoDragDrop, UnicodeTextComesThroughTheCodePage)
{
    TDropMemo memo;
    auto data = MakeComObject<FakeDataObject>();
    data->Offer(CF_UNICODETEXT, Wide(QStringLiteral("caf\u00e9 \u20ac")));
    memo.Drop(data.Get(), memo.Cell(0, 0));
    EXPECT_EQ(memo.Text(), "caf\xe9 \x80");
}

// Copy with Ctrl, move without, among the effects the source allows.
TEST(MemoDragDrop, TheEffectFollowsCtrlAmongTheAllowedOnes)
{
    struct Case {
        DWORD keys;
        DWORD allowed;
        DWORD effect;
    };
    const Case cases[] = {
        {0, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {MK_CONTROL, DROPEFFECT_COPY | DROPEFFECT_MOVE, DROPEFFECT_COPY},
        {0, DROPEFFECT_COPY, DROPEFFECT_COPY},
        {MK_CONTROL, DROPEFFECT_MOVE, DROPEFFECT_MOVE},
        {0, DROPEFFECT_LINK, DROPEFFECT_NONE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.keys << " " << c.allowed);
        EXPECT_EQ(DropEffectOfKeys(c.keys, c.allowed), c.effect);
        TDropMemo memo;
        auto data = Offering(stPlainText);
        DWORD effect = c.allowed;
        memo.Target()->DragEnter(data.Get(), c.keys | MK_LBUTTON, memo.Screen(memo.Cell(0, 0)), &effect);
        EXPECT_EQ(effect, c.effect);
        effect = c.allowed;
        memo.Target()->DragOver(c.keys | MK_LBUTTON, memo.Screen(memo.Cell(0, 0)), &effect);
        EXPECT_EQ(effect, c.effect);
        effect = c.allowed;
        memo.Target()->Drop(data.Get(), c.keys, memo.Screen(memo.Cell(0, 0)), &effect);
        EXPECT_EQ(effect, c.effect);
    }
}

TEST(MemoDragDrop, DroppedTextGoesInAtTheDropPointAsOneUndoStep)
{
    TDropMemo memo;
    memo.SetTextBuffer("alpha gamma\rdelta");
    memo.Select(2, 2);
    auto data = MakeComObject<FakeDataObject>();
    data->Offer(CF_TEXT, QByteArray("beta\r\nnew ", 11));
    const auto drop = memo.Drop(data.Get(), memo.Cell(6, 0), MK_CONTROL);
    EXPECT_EQ(drop.Effect, DROPEFFECT_COPY);
    EXPECT_EQ(memo.Text(), "alpha beta\rnew gamma\rdelta");
    EXPECT_EQ(memo.Selection(), std::make_pair(15, 15));
    EXPECT_EQ(memo.DropPosition(), -1);
    EXPECT_EQ(data->Counter.Releases, data->Counter.MediaMade);
    memo.Undo();
    EXPECT_EQ(memo.Text(), "alpha gamma\rdelta");
    EXPECT_FALSE(memo.CanUndo());
}

TEST(MemoDragDrop, AReadOnlyEditorInsertsNothingAndAnswersNoEffect)
{
    TDropMemo memo;
    memo.SetTextBuffer("fixed");
    memo.SetReadOnly(true);
    const auto drop = memo.Drop(Offering(stPlainText).Get(), memo.Cell(2, 0));
    EXPECT_EQ(memo.Text(), "fixed");
    EXPECT_EQ(drop.Effect, DROPEFFECT_NONE);
}

TEST(MemoDragDrop, DroppedFilesGoToOnFilesDroppedWithTheirFullPaths)
{
    const QStringList files{QStringLiteral("/tmp/\u00fcber/\u0444\u0430\u0439\u043b.txt"), QStringLiteral("/tmp/b c")};
    TDropMemo memo;
    memo.SetTextBuffer("text");
    memo.SetOption(smoProcessDroppedFiles, true);
    QStringList dropped;
    memo.OnFilesDropped = [&](TObject*, const QStringList& Files) { dropped = Files; };
    // The files are opened, never taken over: copy even without Ctrl.
    const auto drop = memo.Drop(Offering(stFiles, files).Get(), memo.Cell(1, 0));
    EXPECT_EQ(dropped, files);
    EXPECT_EQ(drop.Effect, DROPEFFECT_COPY);
    EXPECT_EQ(memo.Text(), "text");

    // Without the option a drag of files only is refused.
    memo.SetOption(smoProcessDroppedFiles, false);
    dropped.clear();
    auto data = Offering(stFiles, files);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    memo.Target()->DragEnter(data.Get(), MK_LBUTTON, memo.Screen(memo.Cell(1, 0)), &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    memo.Target()->Drop(data.Get(), 0, memo.Screen(memo.Cell(1, 0)), &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_TRUE(dropped.isEmpty());
    EXPECT_EQ(memo.Text(), "text");
}

TEST(MemoDragDrop, TheDropCaretFollowsTheDragAndOnOLEDragOverMayRefuse)
{
    TDropMemo memo;
    memo.SetTextBuffer("one\rtwo three\rfour");
    QPoint overAt;
    memo.OnOLEDragOver = [&](TObject*, IDataObject*, DWORD& Effect, QPoint Point) {
        overAt = Point;
        Effect = DROPEFFECT_NONE;
    };
    auto data = Offering(stPlainText);
    DWORD effect = DROPEFFECT_COPY;
    memo.Target()->DragEnter(data.Get(), MK_LBUTTON, memo.Screen(memo.Cell(1, 0)), &effect);
    EXPECT_EQ(memo.DropPosition(), 1);
    // Left of the text the caret stays at the line's start.
    effect = DROPEFFECT_COPY;
    memo.Target()->DragOver(MK_LBUTTON, memo.Screen(QPoint(0, memo.Cell(0, 1).y())), &effect);
    EXPECT_EQ(memo.DropPosition(), 4);
    memo.Target()->DragOver(MK_LBUTTON, memo.Screen(memo.Cell(5, 1)), &effect);
    EXPECT_EQ(effect, DROPEFFECT_NONE);
    EXPECT_EQ(overAt, memo.Cell(5, 1));
    EXPECT_EQ(memo.DropPosition(), 9);
    EXPECT_FALSE(memo.DropCaret().isHidden());
    EXPECT_EQ(memo.DropCaret().geometry().topLeft(), memo.PointFromPosition(9));
    // The target lets the data object go when the drag leaves.
    data->AddRef();
    EXPECT_EQ(data->Release(), 2u);
    memo.Target()->DragLeave();
    data->AddRef();
    EXPECT_EQ(data->Release(), 1u);
    EXPECT_EQ(memo.DropPosition(), -1);
    EXPECT_TRUE(memo.DropCaret().isHidden());
    // A drop without a drag in progress fails.
    effect = DROPEFFECT_COPY;
    EXPECT_EQ(memo.Target()->Drop(data.Get(), 0, memo.Screen(memo.Cell(0, 0)), &effect), E_FAIL);
}

TEST(MemoDragDrop, ADragOnTheTopOrBottomRowScrollsTheView)
{
    TDropMemo memo;
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "line\r";
    memo.SetTextBuffer(text.c_str());
    auto data = Offering(stPlainText);
    DWORD effect = DROPEFFECT_COPY;
    const QPoint bottom(memo.Cell(1, 0).x(), memo.ClientHeight() - 1);
    memo.Target()->DragEnter(data.Get(), MK_LBUTTON, memo.Screen(bottom), &effect);
    memo.Target()->DragOver(MK_LBUTTON, memo.Screen(bottom), &effect);
    EXPECT_EQ(memo.TopLine(), 2);
    EXPECT_EQ(memo.DropPosition(), memo.PositionFromPoint(bottom));
    memo.Target()->DragOver(MK_LBUTTON, memo.Screen(memo.Cell(1, 0)), &effect);
    EXPECT_EQ(memo.TopLine(), 1);
    memo.Target()->DragOver(MK_LBUTTON, memo.Screen(memo.Cell(1, 2)), &effect);
    EXPECT_EQ(memo.TopLine(), 1);
    memo.Target()->DragLeave();
}

TEST(MemoDragDrop, TheDataObjectOffersTheSelectionAsAnsiText)
{
    TDropMemo memo;
    memo.SetTextBuffer("one\rtwo three");
    memo.Select(2, 7);
    const auto data = MakeComObject<TSynMemoDataObject>(&memo);
    struct Case {
        CLIPFORMAT format;
        DWORD aspect;
        DWORD tymed;
        HRESULT result;
    };
    const Case cases[] = {
        {CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL, S_OK},
        {CF_TEXT, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_ISTREAM, S_OK},
        {CF_UNICODETEXT, DVASPECT_CONTENT, TYMED_HGLOBAL, DV_E_FORMATETC},
        {CF_TEXT, DVASPECT_ICON, TYMED_HGLOBAL, DV_E_FORMATETC},
        {CF_TEXT, DVASPECT_CONTENT, TYMED_ISTREAM, DV_E_FORMATETC},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.format << " " << c.aspect << " " << c.tymed);
        FORMATETC format{c.format, nullptr, c.aspect, -1, c.tymed};
        EXPECT_EQ(data->QueryGetData(&format), c.result);
        STGMEDIUM medium;
        ASSERT_EQ(data->GetData(&format, &medium), c.result);
        if (c.result != S_OK)
            continue;
        EXPECT_EQ(medium.tymed, TYMED_HGLOBAL);
        EXPECT_EQ(medium.pUnkForRelease, nullptr);
        EXPECT_EQ(BytesOfGlobal(medium.hGlobal), QByteArray("e\r\ntwo", 7));
        ReleaseStgMedium(&medium);
    }
    IEnumFORMATETC* formats = reinterpret_cast<IEnumFORMATETC*>(1);
    EXPECT_EQ(data->EnumFormatEtc(DATADIR_GET, &formats), E_NOTIMPL);
    EXPECT_EQ(formats, nullptr);
    // Without an enumerator the drag still carries the text to other programs.
    QMimeData rendered;
    RenderDataObject(data.Get(), rendered);
    EXPECT_EQ(rendered.text(), QStringLiteral("e\r\ntwo"));
}

TEST(MemoDragDrop, GetDataHereFillsTheCallersBlock)
{
    TDropMemo memo;
    memo.SetTextBuffer("one two");
    memo.Select(4, 7);
    const auto data = MakeComObject<TSynMemoDataObject>(&memo);
    struct Case {
        const char* name;
        CLIPFORMAT format;
        DWORD aspect;
        LONG index;
        DWORD tymed;
        std::size_t room;
        HRESULT result;
    };
    const Case cases[] = {
        {"fits", CF_TEXT, DVASPECT_CONTENT, -1, TYMED_HGLOBAL, 4, S_OK},
        {"icon aspect", CF_TEXT, DVASPECT_ICON, -1, TYMED_HGLOBAL, 8, S_OK},
        {"too small", CF_TEXT, DVASPECT_CONTENT, -1, TYMED_HGLOBAL, 3, STG_E_MEDIUMFULL},
        {"other format", CF_UNICODETEXT, DVASPECT_CONTENT, -1, TYMED_HGLOBAL, 8, DV_E_FORMATETC},
        {"thumbnail aspect", CF_TEXT, DVASPECT_THUMBNAIL, -1, TYMED_HGLOBAL, 8, DV_E_DVASPECT},
        {"an index", CF_TEXT, DVASPECT_CONTENT, 0, TYMED_HGLOBAL, 8, DV_E_LINDEX},
        {"a stream", CF_TEXT, DVASPECT_CONTENT, -1, TYMED_ISTREAM, 8, DV_E_TYMED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FORMATETC format{c.format, nullptr, c.aspect, c.index, c.tymed};
        STGMEDIUM medium;
        medium.tymed = TYMED_HGLOBAL;
        medium.hGlobal = GlobalFromBytes(QByteArray(qsizetype(c.room), 'x'));
        const HGLOBAL block = medium.hGlobal;
        EXPECT_EQ(data->GetDataHere(&format, &medium), c.result);
        EXPECT_EQ(medium.hGlobal, block);
        if (c.result == S_OK)
            EXPECT_EQ(BytesOfGlobal(block)->left(4), QByteArray("two", 4));
        GlobalFree(block);
    }
}

TEST(MemoDragDrop, TheDragSourceDropsOnReleaseAndCancelsOnEscape)
{
    const auto source = MakeComObject<TSynMemoDragSource>();
    EXPECT_EQ(source->QueryContinueDrag(TRUE, MK_LBUTTON), DRAGDROP_S_CANCEL);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_LBUTTON | MK_CONTROL), S_OK);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, MK_RBUTTON), DRAGDROP_S_DROP);
    EXPECT_EQ(source->QueryContinueDrag(FALSE, 0), DRAGDROP_S_DROP);
    EXPECT_EQ(source->GiveFeedback(DROPEFFECT_MOVE), DRAGDROP_S_USEDEFAULTCURSORS);
}

TEST(MemoDragDrop, DraggingTheSelectionWithinTheEditor)
{
    struct Case {
        const char* name;
        int dropColumn;
        DWORD keys;
        bool escape;
        const char* after;
    };
    const Case cases[] = {
        // The text before the drop point shrinks by the selection's length.
        {"moved later", 16, 0, false, "alpha gammabeta "},
        {"moved earlier", 0, 0, false, "beta alpha gamma"},
        {"copied", 16, MK_CONTROL, false, "alpha beta gammabeta "},
        {"onto its own selection", 8, 0, false, "alpha beta gamma"},
        {"escape", 16, 0, true, "alpha beta gamma"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDropMemo memo;
        memo.SetTextBuffer("alpha beta gamma");
        memo.Select(6, 11);
        auto steps = DragTo(memo.viewport(), memo.Cell(c.dropColumn, 0), c.escape);
        for (auto& step : steps)
            step.KeyState |= c.keys;
        const TScriptedDrag drag(steps);
        memo.StartDrag(memo.Cell(7, 0));
        EXPECT_EQ(memo.Text(), c.after);
        if (memo.Text() != "alpha beta gamma") {
            memo.Undo();
            EXPECT_EQ(memo.Text(), "alpha beta gamma");
            EXPECT_FALSE(memo.CanUndo());
        } else {
            EXPECT_FALSE(memo.CanUndo());
            EXPECT_EQ(memo.Selection(), std::make_pair(6, 11));
        }
    }
}

TEST(MemoDragDrop, TheSelectionDraggedIntoAnotherEditorMovesThere)
{
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only source" : "source");
        TDropMemo source;
        source.SetTextBuffer("alpha beta gamma");
        source.SetReadOnly(readOnly);
        TDropMemo target;
        target.SetTextBuffer("[]");
        source.Select(6, 11);
        const TScriptedDrag drag(DragTo(target.viewport(), target.Cell(1, 0)));
        source.StartDrag(source.Cell(7, 0));
        EXPECT_EQ(target.Text(), "[beta ]");
        // A read-only editor offers copy only, and the target never answers move to it.
        EXPECT_EQ(source.Text(), readOnly ? "alpha beta gamma" : "alpha gamma");
        if (!readOnly) {
            source.Undo();
            EXPECT_EQ(source.Text(), "alpha beta gamma");
        }
    }
}
