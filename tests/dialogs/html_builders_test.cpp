// The HTML the page, link, image, font and image-viewer dialogs write, from their fields.
#include "dialogs/html/html_builders.h"

#include "support/format_settings_scope.h"

#include <gtest/gtest.h>

namespace {

const TQuickStartFields Colours{{}, {}, {}, {}, false, QColor(255, 255, 255), QColor(0, 0, 0),
                                QColor(0, 0, 255), QColor(128, 0, 128)};

TEST(HtmlBuilders, QuickStartPage)
{
    FormatSettingsScope formats;
    const TPageHead head{"Halyard", EncodeDate(2026, 3, 4) + EncodeTime(15, 6, 7, 0)};
    const QString start = "<!--   Created with Halyard       -->\r\n"
                          "<!--   by Tarnwick Software         -->\r\n"
                          "<!--     Brewed on 3/4/2026 3:06:07 PM          -->\r\n"
                          "<HTML>\r\n<HEAD>\r\n";
    const QString body = "</HEAD>\r\n<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#000000\" LINK=\"#0000FF\" VLINK=\"#800080\"%1>"
                         "\r\n\r\n\r\n\r\n\r\n</BODY>\r\n</HTML>";

    // All fields empty: an empty title line, no META lines, no style, no background picture.
    EXPECT_EQ(QuickStartHtml(head, Colours), start + "<TITLE></TITLE>\r\n" + body.arg(""));

    TQuickStartFields fields = Colours;
    fields.Title = "Home";
    fields.BgImage = "tile.gif";
    fields.MetaDescription = "A page";
    fields.MetaKeywords = "boats, sails";
    fields.NoLinkUnderline = true;
    EXPECT_EQ(QuickStartHtml(head, fields),
              start + "<TITLE>Home</TITLE>\r\n"
                      "<META name=\"description\" content=\"A page\">\r\n"
                      "<META name=\"keywords\" content=\"boats, sails\">\r\n"
                      "<style type=\"text/css\">\r\n<!--\r\n"
                      "     A:link {text-decoration: none;}\r\n"
                      "     A:visited {text-decoration: none;}\r\n"
                      "-->\r\n</style>\r\n" +
                  body.arg(" BACKGROUND=\"tile.gif\""));
}

TEST(HtmlBuilders, Links)
{
    const QString status = " onMouseOver=\"window.status='%1'; return true\" onMouseOut=\"window.status=' '\"";
    const struct {
        TLinkFields Fields;
        QString Html;
    } cases[] = {
        {{"a.htm", 0, false, "ignored", {"one"}}, "<a href=\"a.htm\">one\r\n</a>"},
        {{"a.htm", 1, false, {}, {"one", "two"}}, "<a href=\"a.htm\" TARGET=\"_self\">one\r\ntwo\r\n</a>"},
        {{"a.htm", 2, false, {}, {}}, "<a href=\"a.htm\" TARGET=\"_top\"></a>"},
        {{"a.htm", 3, true, "Go there", {"x"}}, "<a href=\"a.htm\" TARGET=\"_blank\"" + status.arg("Go there") + ">x\r\n</a>"},
        {{"a.htm", 4, true, "", {"x"}}, "<a href=\"a.htm\" TARGET=\"_parent\"" + status.arg("") + ">x\r\n</a>"},
        // An apostrophe, a backslash or a double quote in the status text cannot end the script
        // string or the attribute.
        {{"b", 0, true, R"(Bob's \ "best")", {"x"}},
         "<a href=\"b\"" + status.arg(R"(Bob\'s \\ &quot;best&quot;)") + ">x\r\n</a>"},
        // Texts that look like placeholders stay as they are.
        {{"%2", 0, false, {}, {"%1"}}, "<a href=\"%2\">%1\r\n</a>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkHtml(c.Fields), c.Html) << c.Html.toStdString();
}

TEST(HtmlBuilders, Images)
{
    const QString tag = "<img src=\"pic.gif\" height=\"20\" width=\"30\" ALT=\"Image\" BORDER=\"0\"%1>";
    EXPECT_EQ(ImageHtml({"pic.gif", 20, 30, "Image", "0", "left", {}}), tag.arg(" align=\"left\""));
    EXPECT_EQ(ImageHtml({"pic.gif", 20, 30, "Image", "0", {}, {}}), tag.arg(""));
    EXPECT_EQ(ImageHtml({"pic.gif", 20, 30, "Image", "0", "left", "big.htm"}),
              "<a href=\"big.htm\">" + tag.arg(" align=\"left\"") + "</a>");

    EXPECT_EQ(ImageViewHtml("pic.gif", "20", "30", "Image", {}),
              "<img src=\"pic.gif\" height=\"20\" width=\"30\" alt=\"Image\" border=\"0\">");
    EXPECT_EQ(ImageViewHtml("p.jpg", "", "7", "", "middle"),
              "<img src=\"p.jpg\" height=\"\" width=\"7\" alt=\"\" border=\"0\" align=\"middle\">");
}

TEST(HtmlBuilders, FontWizard)
{
    const struct {
        TFontWizardFields Fields;
        const char* Html;
    } cases[] = {
        {{{}, {}, {}, true, false, false, "text"}, "<b>text</b>"},
        {{{}, {}, {}, true, false, false, {}}, "<b>-</b>"},
        {{{}, {}, {}, false, false, false, {}}, "-"},
        {{{}, {}, {}, true, true, true, "t"}, "<b><i><u>t</u></i></b>"},
        {{"Arial", {}, {}, false, true, false, "t"}, "<i><FONT FACE=\"Arial\">t</FONT></i>"},
        {{"Arial", "+2", "#ff0000", false, false, false, "t"},
         "<FONT FACE=\"Arial\" SIZE=\"+2\" color=\"#ff0000\">t</FONT>"},
        {{{}, "3", {}, true, false, true, "t"}, "<b><u><FONT SIZE=\"3\">t</FONT></u></b>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontWizardHtml(c.Fields), c.Html);
}

} // namespace
