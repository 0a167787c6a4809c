// TStubParser: a small language for the highlighting tests: words, "/* */" comments over several
// lines (a state that binds lines), strings that run on across line ends as one token, and "[...]"
// containers whose digits are scanned again in the container's states.
#pragma once

#include "editor/document/ed_stream.h"
#include "editor/language/custom_syntax_memo_parser.h"

#include <cctype>
#include <functional>

class TStubParser : public TCustomSyntaxMemoParser {
public:
    enum : std::uint8_t {
        tkPlain = 0,     // anything else; the only anchor state
        tkWord = 1,      // letters and "_"
        tkComment = 2,   // a comment's text up to "*/" or the line end; resuming after it is in the comment
        tkString = 3,    // "..." up to the closing quote, across lines
        tkContainer = 4, // "[...]" up to "]" or the line end
        tkNumber = 5,    // digits inside a container
        tkOpen = 6,      // "/*"
    };

    explicit TStubParser(TComponent* AOwner = nullptr) : TCustomSyntaxMemoParser(AOwner) {}

    std::uint8_t NextToken(TMemoCore*, TCustomEdStream& S, int& TokenLength) override
    {
        const int start = S.GetPosition();
        if (OnRead)
            OnRead(start);
        std::uint8_t token = tkPlain;
        const auto at = [&S] { return S.EndOfText() ? '\0' : S.CurrentChar(); };
        if (pending_) {
            if (std::isdigit(static_cast<unsigned char>(at()))) {
                while (std::isdigit(static_cast<unsigned char>(at())) && S.GetPosition() < containerEnd_)
                    S.Next();
                token = tkNumber;
            } else {
                S.Next();
            }
            pending_ = S.GetPosition() < containerEnd_ && !S.EndOfText();
        } else if (inComment_) {
            token = tkComment;
            while (!S.EndOfText()) {
                const char c = at();
                S.Next();
                if (c == '\r')
                    break;
                if (c == '*' && at() == '/') {
                    S.Next();
                    inComment_ = false;
                    break;
                }
            }
        } else {
            const char c = at();
            S.Next();
            if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
                token = tkWord;
                while (std::isalnum(static_cast<unsigned char>(at())) || at() == '_')
                    S.Next();
            } else if (c == '/' && at() == '*') {
                S.Next();
                token = tkOpen;
                inComment_ = true;
            } else if (c == '"') {
                token = tkString;
                while (!S.EndOfText()) {
                    const char d = at();
                    S.Next();
                    if (d == '"')
                        break;
                }
            } else if (c == '[') {
                token = tkContainer;
                while (!S.EndOfText() && at() != '\r') {
                    const char d = at();
                    S.Next();
                    if (d == ']')
                        break;
                }
                containerEnd_ = S.GetPosition();
                pending_ = true;
            }
        }
        busy_ = pending_;
        TokenLength = S.GetPosition() - start;
        return token;
    }

    void ResetState(std::uint8_t ContextToken) override
    {
        inComment_ = ContextToken == tkComment;
        pending_ = busy_ = false;
    }
    void GetAnchorStates(TSM_StateSet& States) const override
    {
        States = {};
        States.Include(tkPlain);
    }
    bool InBoundState() const override { return inComment_; }
    bool ContainerPending() const override { return pending_; }
    bool Busy() const override { return busy_; }
    bool CustomParseMissing() const override { return false; }

    bool ShowOptionsDialog(TPropEdPages Pages) override
    {
        return OnOptionsDialog ? OnOptionsDialog(Pages) : false;
    }

    // Called with the position of every token read (tests throw or edit from here).
    std::function<void(int Position)> OnRead;
    std::function<bool(TPropEdPages Pages)> OnOptionsDialog;

private:
    bool inComment_ = false;
    bool pending_ = false;
    bool busy_ = false;
    int containerEnd_ = 0;
};
