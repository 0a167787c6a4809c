// The shell controls' text routines: positional formatting, the trailing character, tokens, and
// the file filter's name list.
#include "shell/format_str_pos.h"
#include "shell/name_list.h"
#include "shell/shell_texts.h"
#include "shell/string_splitters.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/string_list.h"

#include "support/temp_tree.h"

#include <gtest/gtest.h>

TEST(FormatStrPos, InsertsStringsByPosition)
{
    const struct {
        QString Template;
        QStringList Strings;
        QString Result;
    } cases[] = {
        {"%2 %1", {"a", "b"}, "b a"},
        {SShCreateFolderFailed, {"No space left", "New Folder"}, "Unable to create the folder 'New Folder'\n\nNo space left"},
        {"%1!s! and %2!d!", {"x", "7"}, "x and 7"},
        {"100%% %. %! % done%0 never", {}, "100% . !  done"},
        {"%3 stays, %1 goes", {"one"}, "%3 stays, one goes"},
        {"%3!s! stays", {}, "%3!s! stays"},
        {"%q and trailing %", {}, "%q and trailing %"},
        {"%12", QStringList(12, "v"), "v"},
        {"", {"unused"}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatStrPos(c.Template, c.Strings), c.Result) << c.Template.toStdString();

    QStringList fifty;
    for (int i = 1; i <= 50; ++i)
        fifty.append(QString::number(i));
    EXPECT_EQ(FormatStrPos("%50-%1", fifty), QStringLiteral("50-1"));
    fifty.append("51");
    try {
        FormatStrPos("%1", fifty);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message, QStringLiteral("FormatStrPos: Too many substitution strings"));
    }
    EXPECT_EQ(FormatStrPos("", fifty), QString()); // an empty template is never formatted
}

TEST(StringSplitters, TrailingCharactersAndTokens)
{
    EXPECT_EQ(EnsureTrailingChar("C:", '\\'), QStringLiteral("C:\\"));
    EXPECT_EQ(EnsureTrailingChar("C:\\", '\\'), QStringLiteral("C:\\"));
    EXPECT_EQ(EnsureTrailingChar("", '\\'), QString());
    EXPECT_EQ(EnsureTrailingChar("/tmp", '/'), QStringLiteral("/tmp/"));

    TStringList list;
    SplitToStrings("a;;b;", list);
    EXPECT_EQ(list.Text(), QStringLiteral("a\nb\n"));
    list.Clear();
    SplitToStrings(" *.gif ;*.jpg", list);
    EXPECT_EQ(list.Text(), QStringLiteral(" *.gif \n*.jpg\n"));
    list.Clear();
    SplitToStrings(";;", list);
    EXPECT_EQ(list.Count(), 0);

    // A surrogate pair is one character.
    const QString text = QStringLiteral("x") + QString::fromUcs4(U"\U0001F600") + QStringLiteral(";y");
    int pos = 2;
    QString out;
    AppendCharAt(pos, text, out);
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(out, QString::fromUcs4(U"\U0001F600"));
    pos = 1;
    EXPECT_EQ(ExtractToken(pos, text, ';'), text.left(3));
    EXPECT_EQ(pos, 4);
    EXPECT_EQ(text[pos - 1], QLatin1Char(';'));
}

TEST(NameList, HoldsTheUpperCasedNamesOfMatchingFiles)
{
    TTempTree tree;
    tree.File("a.gif");
    tree.File("B.GIF");
    tree.File(".hidden.gif");
    tree.File("c.jpg");
    tree.Folder("folder.gif");
    TStringList* list = CreateNameList();
    EXPECT_TRUE(AddMatchingFiles(*list, tree.Path("*.gif")));
    EXPECT_TRUE(AddMatchingFiles(*list, tree.Path("*.gif"))); // duplicates ignored
    EXPECT_TRUE(AddMatchingFiles(*list, tree.Path("*.png"))); // nothing found is no failure
    EXPECT_EQ(list->Text(), QStringLiteral(".HIDDEN.GIF\nA.GIF\n"));
    EXPECT_TRUE(NameListContains(*list, "a.gif"));
    EXPECT_FALSE(NameListContains(*list, "folder.gif"));
    EXPECT_FALSE(NameListContains(*list, "c.jpg"));
    EXPECT_FALSE(AddMatchingFiles(*list, tree.Path("missing/*.gif")));
    FreeNameList(list);
    EXPECT_EQ(list, nullptr);
}
