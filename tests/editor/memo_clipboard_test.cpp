// The editor control's clipboard on the offscreen clipboard: copy as text and RTF, cut, and the
// routing of a paste between plain text and HTML by the source types.
#include "editor/custom_syntax_memo.h"
#include "editor/language/settings_routines.h"

#include "platform/messages/edit_messages.h"
#include "platform/ole/cf_html.h"
#include "platform/rtl/ansi_codec.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {

// Puts the MIME types on the system clipboard, as another program would.
void Offer(const QByteArray& Text, const QByteArray& Html)
{
    auto* mime = new QMimeData;
    if (!Text.isNull())
        mime->setData(QStringLiteral("text/plain"), Text);
    if (!Html.isNull())
        mime->setData(QStringLiteral("text/html"), Html);
    QGuiApplication::clipboard()->setMimeData(mime);
}

QByteArray Offered(const char* Type)
{
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
    return mime ? mime->data(QLatin1String(Type)) : QByteArray();
}

// The HTML a paste of Html takes when it is not trimmed: the document of its clipboard block.
std::string WholeDocument(const QByteArray& Html)
{
    return win::HtmlOfCfHtml(win::MakeCfHtml(Html)).value_or(QByteArray()).toStdString();
}

} // namespace

TEST(MemoClipboard, CopyOffersTextWithLfAndRtf)
{
    TCustomSyntaxMemo memo;
    memo.SetText("one\r\ntwo\xe9");
    memo.SelectAll();
    memo.Perform(win::WM_COPY, 0, 0);
    EXPECT_EQ(Offered("text/plain"), QByteArray("one\ntwo\xc3\xa9"));
    EXPECT_TRUE(Offered("text/rtf").startsWith("{\\rtf1 "));
    EXPECT_TRUE(Offered("text/rtf").contains("one\\line \r\ntwo\\'e9"));
    EXPECT_TRUE(memo.CanPaste());

    memo.ClipCopyFormats = smTEXT;
    memo.SetSelection(0, 3);
    memo.CopyToClipboard();
    EXPECT_EQ(Offered("text/plain"), QByteArray("one"));
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(QStringLiteral("text/rtf")));
}

TEST(MemoClipboard, CutIsOneStepAndNothingWhileReadOnly)
{
    TCustomSyntaxMemo memo;
    memo.SetText("keep this");
    Offer("before", QByteArray());
    memo.SetReadOnly(true);
    memo.SetSelection(0, 5);
    memo.Perform(win::WM_CUT, 0, 0);
    memo.Perform(win::WM_PASTE, 0, 0);
    EXPECT_EQ(memo.GetText(), "keep this");
    EXPECT_EQ(Offered("text/plain"), QByteArray("before"));

    memo.SetReadOnly(false);
    memo.Perform(win::WM_CUT, 0, 0);
    EXPECT_EQ(memo.GetText(), "this");
    EXPECT_EQ(Offered("text/plain"), QByteArray("keep "));
    memo.Undo();
    EXPECT_EQ(memo.GetText(), "keep this");
    EXPECT_FALSE(memo.CanUndo());
}

TEST(MemoClipboard, PasteRoutesByTheSourceTypes)
{
    const QByteArray text = "plain <b>kept</b>\r\nwhole";
    const QByteArray html = "<p>para</p><!--StartFragment--><b>frag</b><!--EndFragment-->";
    struct Case {
        const char* name;
        QByteArray text;
        QByteArray html;
        std::function<void(unsigned&)> onDrop;
        std::string pasted;
        unsigned seenTypes;
    };
    const auto clear = [](unsigned Bits) { return [Bits](unsigned& Types) { Types &= ~Bits; }; };
    const auto add = [](unsigned Bits) { return [Bits](unsigned& Types) { Types |= Bits; }; };
    const Case cases[] = {
        {"plain text wins", text, html, {}, "plain <b>kept</b>\r\nwhole", 0x304},
        // The main window asks for the fragment whenever HTML is offered: plain text stays whole.
        {"plain text is never trimmed", text, html, add(htmlFragmentOnly), "plain <b>kept</b>\r\nwhole", 0x304},
        {"HTML only", QByteArray(), html, {}, WholeDocument(html), 0x300},
        {"handler chooses HTML", text, html, clear(stPlainText), WholeDocument(html), 0x304},
        {"fragment", QByteArray(), html, add(htmlFragmentOnly), "<b>frag</b>", 0x300},
        {"no trim wins", QByteArray(), html, add(htmlFragmentOnly | htmlKeepWhole), WholeDocument(html), 0x300},
        {"from the first tag", QByteArray(), html, add(htmlFromFirstTag), WholeDocument(html), 0x300},
        {"handler refuses both", text, html, clear(stPlainText | htmlTrim), "", 0x304},
        {"nothing pasteable", QByteArray(), QByteArray(), {}, "", 0},
    };
    for (const Case& c : cases) {
        TCustomSyntaxMemo memo;
        unsigned seen = 0;
        memo.OnDataDrop = [&](TObject*, unsigned& Types) {
            seen = Types;
            if (c.onDrop)
                c.onDrop(Types);
        };
        Offer(c.text, c.html);
        memo.Perform(win::WM_PASTE, 0, 0);
        EXPECT_EQ(memo.GetText(), c.pasted) << c.name;
        EXPECT_EQ(seen, c.seenTypes) << c.name;
        EXPECT_EQ(memo.Perform(win::EM_CANPASTE, 0, 0), !c.text.isNull()) << c.name;
    }
}

TEST(MemoClipboard, APasteUndoesInOneStepAndCrossesTheCodePage)
{
    TCustomSyntaxMemo memo;
    memo.SetText("[]");
    memo.SetSelection(1, 1);
    Offer("caf\xc3\xa9 \xe2\x82\xac \xce\xa9\nend", QByteArray()); // "café € Ω" in UTF-8
    memo.PasteFromClipboard();
    EXPECT_EQ(memo.GetText(), "[caf\xe9 \x80 ?\r\nend]");
    EXPECT_EQ(memo.SelStart(), 13);
    memo.Undo();
    EXPECT_EQ(memo.GetText(), "[]");
    EXPECT_FALSE(memo.CanUndo());
}
