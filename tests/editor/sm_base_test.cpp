// Copying the editor's data objects through a stream, and style fonts.
#include "editor/language/sm_base.h"
#include "editor/language/style_font.h"
#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/streams.h"
#include "support/qt_printers.h"

#include <gtest/gtest.h>

namespace {

class TWordTable : public TSM_Base {
public:
    std::vector<std::int32_t> Words;

    void SaveToStream(TStream& Stream) const override
    {
        const std::int32_t count = std::int32_t(Words.size());
        Stream.WriteBuffer(&count, sizeof count);
        Stream.WriteBuffer(Words.data(), std::int64_t(Words.size() * sizeof(std::int32_t)));
    }
    void LoadFromStream(TStream& Stream) override
    {
        std::int32_t count = 0;
        Stream.ReadBuffer(&count, sizeof count);
        Words.resize(std::size_t(count));
        Stream.ReadBuffer(Words.data(), std::int64_t(Words.size() * sizeof(std::int32_t)));
    }

protected:
    std::unique_ptr<TSM_Base> NewInstance() const override { return std::make_unique<TWordTable>(); }
};

class TForeign : public TObject {};

} // namespace

TEST(SMBase, CloneAndAssignCopyThroughAStream)
{
    TWordTable table;
    table.Words = {3, 1, 4};
    const std::unique_ptr<TSM_Base> copy = table.Clone();
    auto* clone = dynamic_cast<TWordTable*>(copy.get());
    ASSERT_NE(clone, nullptr);
    EXPECT_EQ(clone->Words, table.Words);

    TWordTable target;
    target.Words = {9};
    target.Assign(table);
    EXPECT_EQ(target.Words, table.Words);

    try {
        target.Assign(TForeign());
        ADD_FAILURE() << "no exception";
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.Message, "Cannot assign a TForeign to TWordTable");
    }
    EXPECT_EQ(target.Words, table.Words);
}

TEST(StyleFont, SizeFollowsTheDeviceResolutionAndStyleBitsTheLook)
{
    struct Case {
        int points;
        int dpi;
        int style;
        int pixels;
    };
    const Case cases[] = {
        {10, 96, 0, 13},                                // 13.33 rounds down
        {9, 96, 0, 12},                                 // exactly 12
        {11, 96, fsBold, 15},                           // 14.67 rounds up
        {3, 12, fsItalic | fsUnderline, 1},             // 0.5 rounds away from zero
        {10, 600, fsStrikeOut | fsBold | fsItalic, 83}, // a printer
    };
    for (const Case& c : cases) {
        const TStyleFont style = CreateStyleFont(QStringLiteral("Courier New"), c.points, c.style, c.dpi, 1);
        EXPECT_EQ(style.Font.pixelSize(), c.pixels) << c.points << "pt at " << c.dpi;
        EXPECT_EQ(style.Font.bold(), (c.style & fsBold) != 0);
        EXPECT_EQ(style.Font.italic(), (c.style & fsItalic) != 0);
        EXPECT_EQ(style.Font.underline(), (c.style & fsUnderline) != 0);
        EXPECT_EQ(style.Font.strikeOut(), (c.style & fsStrikeOut) != 0);
        EXPECT_EQ(style.Font.family(), "Courier New");
        EXPECT_EQ(style.Charset, 1);
    }
}
