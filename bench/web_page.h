// The generated web page the highlighting benchmarks work on (TPageWriter).
#pragma once

#include <random>
#include <string>
#include <vector>

// A web page of Size bytes from a fixed seed: nested tags with attributes, entities, comments,
// script and style blocks, lines indented with tabs, and one minified line of 200 KB.
class TPageWriter {
public:
    std::string Page(std::size_t Size)
    {
        text_ = "<!DOCTYPE html>\n<html>\n<head>\n";
        Style();
        Script();
        text_ += "</head>\n<body class=\"page\">\n";
        bool minified = false;
        while (text_.size() < Size) {
            if (!minified && text_.size() > Size / 2) {
                MinifiedLine(200 * 1000);
                minified = true;
            }
            switch (random_() % 10) {
            case 0: Script(); break;
            case 1: Style(); break;
            case 2: text_ += "<!-- section " + std::to_string(random_()) + " -->\n"; break;
            default: Element(1, 0); break;
            }
        }
        text_ += "</body>\n</html>\n";
        return std::move(text_);
    }

private:
    std::string Word() { return words_[random_() % words_.size()]; }
    void Indent(int Depth) { text_.append(std::size_t(Depth), '\t'); }

    void Text()
    {
        for (int n = int(random_() % 12) + 1; n > 0; --n) {
            text_ += Word();
            text_ += random_() % 9 == 0 ? entities_[random_() % entities_.size()] : " ";
        }
    }

    void Element(int Depth, int Level)
    {
        const std::string tag = tags_[random_() % tags_.size()];
        Indent(Depth);
        text_ += "<" + tag;
        for (int n = int(random_() % 4); n > 0; --n)
            text_ += " " + Word() + "=\"" + Word() + " " + Word() + "\"";
        if (random_() % 3 == 0)
            text_ += " width=" + std::to_string(random_() % 500);
        text_ += ">";
        if (Level < 4 && random_() % 2 == 0) {
            text_ += "\n";
            for (int n = int(random_() % 4) + 1; n > 0; --n)
                Element(Depth + 1, Level + 1);
            Indent(Depth);
        } else {
            Text();
        }
        text_ += "</" + tag + ">\n";
    }

    void Script()
    {
        text_ += "<script type=\"text/javascript\">\n<!--\n";
        for (int n = int(random_() % 8) + 1; n > 0; --n) {
            text_ += "\tvar " + Word() + " = " + std::to_string(random_() % 1000) + "; // " + Word() + "\n";
            text_ += "\tfunction " + Word() + "(a, b) { if (a < b) return 'x' + \"" + Word() + "\"; }\n";
        }
        text_ += "/* " + Word() + " */\n//-->\n</script>\n";
    }

    void Style()
    {
        text_ += "<style>\n";
        for (int n = int(random_() % 6) + 1; n > 0; --n)
            text_ += "\t." + Word() + " { color: #" + std::to_string(100000 + random_() % 800000) +
                     "; font-family: \"" + Word() + "\"; } /* " + Word() + " */\n";
        text_ += "</style>\n";
    }

    void MinifiedLine(std::size_t Size)
    {
        const std::size_t end = text_.size() + Size;
        while (text_.size() < end)
            text_ += "<span class=\"" + Word() + "\">" + Word() + "&nbsp;</span><b>" + Word() + "</b>";
        text_ += "\n";
    }

    std::mt19937 random_{20260101};
    std::string text_;
    const std::vector<std::string> tags_{"div", "p", "span", "a", "td", "li", "em", "table", "tr", "ul"};
    const std::vector<std::string> entities_{" &amp; ", " &lt;", "&gt; ", " &#160;", " &copy; "};
    const std::vector<std::string> words_{"alpha", "beta",   "gamma",  "delta", "title", "content", "item",
                                          "value", "header", "footer", "nav",   "main",  "left",    "right"};
};
