// The exports of a text range: plain text with its line ends, RTF and HTML.
#include "editor/text_export.h"

#include "editor/document/text_store.h"
#include "editor/language/sm_settings.h"
#include "editor/language/style_font.h"
#include "editor/memo_messages.h"

#include "platform/graphics/colors.h"
#include "platform/rtl/ansi_codec.h"
#include "platform/rtl/streams.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

// The generator named in the HTML header.
constexpr const char* GeneratorContact = "editor@tarnwick-software.example";
// The RTF colour table holds at most this many entries.
constexpr std::size_t MaxRtfColors = 256;

// One piece of a line: characters of one token byte (all of a line without token bytes).
struct TRun {
    std::string_view Text;
    const TSM_StyleEffect* Look = nullptr; // null on a line without token bytes
};

// The selected part of each line, cut into runs; End marks the end of a line.
class TRangeWalker {
public:
    TRangeWalker(TTextStore& Store, int Start, int End, const TSM_Settings& Settings)
        : store_(Store), start_(Start), end_(End), settings_(Settings)
    {
    }

    // Calls Run for every run and LineEnd after every line.
    template <typename RunFn, typename LineEndFn>
    void Walk(RunFn Run, LineEndFn LineEnd)
    {
        int lineStart = 0;
        TLineRecord* line = store_.LineAt(start_, nullptr, &lineStart);
        for (bool first = true; line && lineStart <= end_; first = false) {
            const int from = std::max(0, start_ - lineStart);
            const int to = std::min(line->Length(), end_ - lineStart);
            if (!first && to <= 0)
                break; // the range ended with the line end before
            WalkLine(*line, from, to, Run);
            LineEnd();
            lineStart += line->Length();
            line = line->Next;
        }
    }

private:
    template <typename RunFn>
    void WalkLine(const TLineRecord& Line, int From, int To, RunFn& Run)
    {
        const std::string_view text(Line.Text);
        if (!Line.Tokens) {
            Run(TRun{text.substr(std::size_t(From), std::size_t(std::max(0, To - From))), nullptr});
            return;
        }
        for (int i = From; i < To;) {
            const std::uint8_t token = Line.Tokens[std::size_t(i)];
            int j = i + 1;
            while (j < To && Line.Tokens[std::size_t(j)] == token)
                ++j;
            const int style = settings_.GetTokenStyle(token);
            Run(TRun{text.substr(std::size_t(i), std::size_t(j - i)), &settings_.GetStyleEffects(style)});
            i = j;
        }
    }

    TTextStore& store_;
    int start_;
    int end_;
    const TSM_Settings& settings_;
};

void Put(TStream& Stream, std::string_view Bytes)
{
    Stream.WriteBuffer(Bytes.data(), std::int64_t(Bytes.size()));
}

std::string Printf(const char* Format, auto... Args)
{
    char buffer[64];
    const int length = std::snprintf(buffer, sizeof buffer, Format, Args...);
    return std::string(buffer, std::size_t(std::max(0, length)));
}

std::string Ansi(const QString& Text)
{
    return EncodeAnsi(Text).toStdString();
}

// --- HTML ---

// Red first: the COLORREF's low byte is red.
unsigned HtmlColor(TColor Color)
{
    const win::COLORREF rgb = ColorToRGB(Color);
    return (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF);
}

// An "&" is written as "&amp;", so that a document's own entities show as typed.
void EscapeHtml(std::string& Out, std::string_view Text)
{
    for (const char ch : Text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '<': Out += "&lt;"; break;
        case '>': Out += "&gt;"; break;
        case '"': Out += "&quot;"; break;
        case '&': Out += "&amp;"; break;
        case '\t':
        case 160: Out += "&nbsp;"; break;
        default:
            if (c < 32)
                break;
            if (c < 128)
                Out += ch;
            else
                Out += "&#" + std::to_string(c) + ";";
        }
    }
}

// Bold, italic and underline as they stand after the last run; each export marks them switched on
// and off with its own texts, in that order.
class TFontStyleSwitches {
public:
    using TMarks = std::array<const char*, 6>; // on and off of bold, italic, underline

    explicit TFontStyleSwitches(const TMarks& Marks) : marks_(Marks) {}

    void SwitchTo(std::string& Out, std::uint32_t Styles)
    {
        const std::uint32_t bits[] = {fsBold, fsItalic, fsUnderline};
        for (std::size_t i = 0; i < 3; ++i) {
            const bool now = Styles & bits[i];
            if (now != on_[i])
                Out += marks_[2 * i + (now ? 0 : 1)];
            on_[i] = now;
        }
    }

private:
    TMarks marks_;
    std::array<bool, 3> on_{};
};

void WriteHtml(TStream& Stream, TRangeWalker& Walker, const TExportLook& Look)
{
    const TSM_Settings& settings = *Look.Settings;
    const TSM_StyleEffect& plain = settings.GetStyleEffects(0);
    std::string out = "<HTML><HEAD>\r\n";
    out += std::string("<META NAME=\"Generator\" CONTENT=\"TCustomSyntaxMemo - ") + GeneratorContact + "\">\r\n";
    out += "<TITLE>" + Ansi(Look.Title) + "</TITLE>\r\n";
    out += "<META NAME=\"Date\" CONTENT=\"" + Ansi(FormatDateTime(QStringLiteral("ddddd tt"), Look.Date)) +
           "\">\r\n";
    out += "</HEAD>\r\n";
    out += Printf("<BODY TEXT=\"#%.6x\" BGCOLOR=\"#%.6x\">\r\n", HtmlColor(plain.Foreground),
                  HtmlColor(plain.Background));
    out += "<PRE><FONT FACE=\"" + Ansi(settings.FontName) + "\">\r\n";
    unsigned color = HtmlColor(plain.Foreground);
    TFontStyleSwitches switches({"<B>", "</B>", "<I>", "</I>", "<U>", "</U>"});
    Walker.Walk(
        [&](const TRun& Run) {
            if (Run.Look) {
                if (const unsigned runColor = HtmlColor(Run.Look->Foreground); runColor != color) {
                    out += Printf("</FONT><FONT COLOR=\"#%.6x\">", runColor);
                    color = runColor;
                }
                switches.SwitchTo(out, Run.Look->FontStyles);
            }
            EscapeHtml(out, Run.Text);
        },
        [&] { out += "\r\n"; });
    out += "</PRE></FONT></BODY></HTML>\r\n";
    Put(Stream, out);
}

// --- RTF ---

void EscapeRtf(std::string& Out, std::string_view Text)
{
    for (const char ch : Text) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case 0: break;
        case '\t': Out += "\\tab "; break;
        case 12: Out += "\\page "; break;
        case '\r': Out += "\\line "; break;
        case '\'': Out += "\\'27"; break;
        case '\\': Out += "\\\\"; break;
        case '{': Out += "\\{"; break;
        case '}': Out += "\\}"; break;
        default:
            if (c >= 32 && c < 128)
                Out += ch;
            else
                Out += Printf("\\'%.2x", c);
        }
    }
}

// Style 0's colours first, then each style in use adds its own when new.
std::vector<win::COLORREF> RtfColors(const TSM_Settings& Settings)
{
    std::vector<win::COLORREF> colors;
    const auto add = [&](TColor Color) {
        const win::COLORREF rgb = ColorToRGB(Color);
        if (colors.size() < MaxRtfColors && std::find(colors.begin(), colors.end(), rgb) == colors.end())
            colors.push_back(rgb);
    };
    colors.push_back(ColorToRGB(Settings.GetStyleEffects(0).Foreground));
    colors.push_back(ColorToRGB(Settings.GetStyleEffects(0).Background));
    for (int style = 0; style < 256; ++style) {
        const TSM_StyleEffect& effect = Settings.GetStyleEffects(style);
        if (effect.InUse) {
            add(effect.Foreground);
            add(effect.Background);
        }
    }
    return colors;
}

void WriteRtf(TStream& Stream, TRangeWalker& Walker, const TExportLook& Look)
{
    const TSM_Settings& settings = *Look.Settings;
    std::string out = Printf("{\\rtf1 \\deff1{\\fonttbl {\\f1 \\fnil\\fcharset%d ", int(settings.FontCharSet));
    out += Ansi(settings.FontName) + ";}}\r\n{\\colortbl";
    const std::vector<win::COLORREF> colors = RtfColors(settings);
    for (const win::COLORREF rgb : colors)
        out += Printf("\\red%d\\green%d\\blue%d;", int(rgb & 0xFF), int(rgb >> 8 & 0xFF), int(rgb >> 16 & 0xFF));
    out += "}\r\n" + Printf("{\\f1\\fs%d\\cf0\\cb1 ", settings.FontSize * 2);
    const auto indexOf = [&](TColor Color, int Fallback) {
        const auto found = std::find(colors.begin(), colors.end(), ColorToRGB(Color));
        return found == colors.end() ? Fallback : int(found - colors.begin());
    };
    int foreground = 0;
    int background = 1;
    TFontStyleSwitches switches({"\\b1 ", "\\b0 ", "\\i1 ", "\\i0 ", "\\ul1 ", "\\ul0 "});
    Walker.Walk(
        [&](const TRun& Run) {
            if (Run.Look) {
                switches.SwitchTo(out, Run.Look->FontStyles);
                if (const int index = indexOf(Run.Look->Foreground, 0); index != foreground) {
                    out += Printf("\\cf%d ", index);
                    foreground = index;
                }
                if (const int index = indexOf(Run.Look->Background, 1); index != background) {
                    out += Printf("\\cb%d ", index);
                    background = index;
                }
            }
            EscapeRtf(out, Run.Text);
        },
        [&] { out += "\r\n"; });
    out += "}}";
    Put(Stream, out);
}

} // namespace

void WriteTextRange(TStream& Stream, TTextStore& Store, int Start, int End, unsigned Format,
                    const TExportLook& Look)
{
    TRangeWalker walker(Store, Start, End, *Look.Settings);
    if (Format & sm::wfRTF)
        WriteRtf(Stream, walker, Look);
    else if (Format & sm::wfHTML)
        WriteHtml(Stream, walker, Look);
    else if (Format & sm::wfUNIX)
        Store.WriteText(Stream, Start, End, TLineEnds::LF);
    else
        Store.WriteText(Stream, Start, End, Format & sm::wfCRLF ? TLineEnds::CRLF : TLineEnds::CR);
}
