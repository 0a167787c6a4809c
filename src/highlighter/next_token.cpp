// The tokenizer: one token by keyword, handler, start table and state transition.
#include "highlighter/syntax_memo_parser.h"

#include "editor/document/ed_stream.h"
#include "editor/language/sm_settings.h"
#include "highlighter/standard_scanners.h"

#include <algorithm>
#include <utility>

// One NextToken call: the stream, where the token started, its length and value so far.
class TSyntaxMemoParser::TTokenRun {
public:
    TTokenRun(TSyntaxMemoParser& Parser, TCustomEdStream& Stream, int& Length)
        : parser_(Parser), stream_(Stream), length_(Length), start_(Stream.GetPosition())
    {
    }

    int Start() const { return start_; }

    // The token is the single first character, value 0.
    void Fail()
    {
        stream_.SetPosition(start_);
        length_ = 1;
        Token = 0;
        stream_.Next();
    }

    // What follows word W by its handler H; false when it failed (then the word is dropped).
    // With PauseAfter above 0 the handler stops before testing its end once that many characters
    // are read and more follow (Paused); Resumed goes on from such a stop.
    bool RunHandler(const THandlerDefinition& H, std::uint8_t W, int PauseAfter = 0, bool Resumed = false)
    {
        const bool hasEnd = H.HasEnd();
        bool endFirst = Resumed || (H.Body.Flag && hasEnd);
        bool stalled = false;
        for (;;) {
            if (PauseAfter > 0 && endFirst && stream_.GetPosition() - start_ >= PauseAfter &&
                !stream_.EndOfText()) {
                Paused = true;
                return true;
            }
            if (endFirst && EndMatches(H.End)) {
                Token = W;
                return true;
            }
            if (stalled)
                return true; // the body takes nothing more, and the end does not follow
            // Without end-first, a refused first character gets one more pass that tries the end.
            const bool endTried = endFirst;
            endFirst = hasEnd;
            if (stream_.EndOfText())
                return true;
            const TTokenRule& body = H.Body;
            if (body.IsScanner && !body.IsEvent && body.ScannerNo >= FirstStandardScanner &&
                body.ScannerNo <= LastStandardScanner) {
                if (!RunScanner(StandardScannerEntry(body.ScannerNo), stream_, length_, start_)) {
                    Fail();
                    return false;
                }
                Token = W;
                return true;
            }
            const int before = stream_.GetPosition();
            std::int32_t value = Token;
            if (TryBody(body, value)) {
                Token = std::uint8_t(value);
                if (!hasEnd)
                    return true;
                stalled = stream_.GetPosition() == before;
            } else if (endTried || !hasEnd) {
                Fail();
                return false;
            }
        }
    }

    // Definition D from the start table; the stream stands after the first character.
    void RunDefinition(const TTokenDefinition& D)
    {
        if (D.Start.IsScanner) {
            stream_.SetPosition(start_);
            length_ = 0;
            const int number = D.Start.ScannerNo;
            if (number >= FirstStandardScanner && number <= LastStandardScanner &&
                RunScanner(StandardScannerEntry(number), stream_, length_, start_))
                Token = D.Token;
            else
                Fail();
            return;
        }
        bool endFirst = D.Body.Flag;
        bool stalled = false;
        for (;;) {
            if (endFirst && SkipPlainBody(D))
                Token = 0;
            if (endFirst && EndMatches(D.End)) {
                Token = D.Token;
                return;
            }
            endFirst = true;
            // At the end of the text, or with a body that takes nothing more, the construct stands
            // unterminated and keeps its token.
            if (stream_.EndOfText() || stalled) {
                Token = D.Token; // an unterminated construct at the end of the text keeps its token
                return;
            }
            const int before = stream_.GetPosition();
            std::int32_t value = 0;
            if (!TryBody(D.Body, value)) {
                Fail();
                return;
            }
            Token = std::uint8_t(value);
            if (D.Body.IsScanner && D.Body.IsEvent)
                return;
            stalled = stream_.GetPosition() == before;
        }
    }

    std::uint8_t Token = 0;
    // The token goes on after what was read.
    bool Paused = false;

private:
    // With a body of one group and an end of groups, takes the characters of the body's group
    // that are not in the end's first group, just as the loop of RunDefinition would one by one
    // (the end fails on them without moving, the body takes them and gives token 0), but without
    // its rule machinery: most of a document goes through here. True when it took any.
    bool SkipPlainBody(const TTokenDefinition& D)
    {
        const TSM_CharGroupManager& groups = parser_.Keywords->Groups();
        if (D.Body.IsScanner || D.End.IsScanner || D.End.SetCount == 0 || D.Body.SetID >= groups.Count() ||
            D.End.Sets[0] >= groups.Count())
            return false;
        const TSM_CharGroup& body = groups.GetGroup(D.Body.SetID);
        const TSM_CharGroup& end = groups.GetGroup(D.End.Sets[0]);
        const auto takes = [&body, &end](char c) {
            return !end.Contains(std::uint8_t(c)) && body.Contains(std::uint8_t(c));
        };
        bool took = false;
        // Straight through the pieces the stream holds, then character by character.
        for (std::string_view ahead = stream_.Ahead(); !ahead.empty(); ahead = stream_.Ahead()) {
            const auto n = int(std::find_if_not(ahead.begin(), ahead.end(), takes) - ahead.begin());
            if (n == 0)
                return took;
            length_ += n;
            stream_.SetPosition(stream_.GetPosition() + n);
            took = true;
            if (n < int(ahead.size()))
                return took;
        }
        while (!stream_.EndOfText()) {
            if (!takes(stream_.CurrentChar()))
                break;
            ++length_;
            stream_.Next();
            took = true;
        }
        return took;
    }

    // A body rule: the custom-parse event, a scanner entry, or the group that the current character
    // must be in (then the character is consumed).
    bool TryBody(const TTokenRule& Rule, std::int32_t& Value)
    {
        if (Rule.IsScanner)
            return TryScanner(Rule, Value);
        if (!InGroup(Rule.SetID))
            return false;
        ++length_;
        stream_.Next();
        return true;
    }

    bool TryScanner(const TTokenRule& Rule, std::int32_t& Value)
    {
        if (!Rule.IsEvent)
            return RunScanner(Rule.ScannerNo, stream_, length_, start_);
        if (!parser_.OnCustomParse)
            return false;
        const TCustomParseEvent handler = parser_.OnCustomParse; // it may replace itself
        return handler(&parser_, Rule.ScannerNo, stream_, length_, Value);
    }

    // An end rule: a scanner or the event, consuming what it consumes; or its groups one after
    // another, which are consumed only with consume-end.
    bool EndMatches(const TTokenRule& Rule)
    {
        if (Rule.IsScanner) {
            std::int32_t value = Token;
            return TryScanner(Rule, value);
        }
        const int at = stream_.GetPosition();
        const int count = std::min<int>(Rule.SetCount, int(Rule.Sets.size()));
        for (int k = 0; k < count; ++k) {
            if (!InGroup(Rule.Sets[std::size_t(k)])) {
                if (k > 0) // the stream has moved
                    stream_.SetPosition(at);
                return false;
            }
            stream_.Next();
        }
        if (Rule.Flag)
            length_ += count;
        else
            stream_.SetPosition(at);
        return true;
    }

    // The current character is in group ID (never at the end of the text, never for an unknown ID).
    bool InGroup(std::uint16_t ID)
    {
        const TSM_CharGroupManager& groups = parser_.Keywords->Groups();
        return !stream_.EndOfText() && ID < groups.Count() &&
               groups.GetGroup(ID).Contains(std::uint8_t(stream_.CurrentChar()));
    }

    TSyntaxMemoParser& parser_;
    TCustomEdStream& stream_;
    int& length_;
    const int start_;
};

std::uint8_t TSyntaxMemoParser::NextToken(TMemoCore* Editor, TCustomEdStream& IStream, int& TokenLength)
{
    if (busy_ && !containerPending_)
        return 0;
    struct TBusyCopy {
        TSyntaxMemoParser& parser;
        ~TBusyCopy() { parser.busy_ = parser.containerPending_; }
    } busyCopy{*this};
    if (Editor)
        AddEditor(Editor);

    const std::uint8_t firstChar = IStream.EndOfText() ? 0 : std::uint8_t(IStream.CurrentChar());
    TTokenRun run(*this, IStream, TokenLength);
    const int startPos = run.Start();
    bool fromCombined = false;

    const THandlerDefinition* resumed =
        std::exchange(paused_, false) ? Handlers[pausedToken_].get() : nullptr;
    if (resumed && HandlerPauses(*resumed, pausedToken_)) {
        // The next piece of the token returned in part.
        TokenLength = 0;
        run.Token = pausedToken_;
        run.RunHandler(*resumed, pausedToken_, pieceLength_, true);
    } else {
        // The longest word valid in the current states, else the settings' combined keywords.
        int wordStart = 0;
        const TKeywordRecord* word =
            Keywords->MatchKeyword(IStream, Keywords->CaseFlag != 0, true, wordStart, TokenLength);
        if (!word) {
            if (TKeywords* combined = Settings().CombinedKeywords()) {
                IStream.SetPosition(startPos);
                word = combined->MatchKeyword(IStream, CaseSensitive, true, wordStart, TokenLength);
                fromCombined = word != nullptr;
            }
        }
        bool matched = word != nullptr;
        if (word)
            run.Token = std::uint8_t(word->Value);

        if (const THandlerDefinition* handler = Handlers[run.Token].get()) {
            const bool pauses = pieceLength_ > 0 && !fromCombined && HandlerPauses(*handler, run.Token);
            const int pauseAfter = pauses ? pieceLength_ : 0;
            if (!run.RunHandler(*handler, run.Token, pauseAfter))
                matched = false;
        }
        if (!matched) {
            const TTokenDefinition* definition = (*activeStartTable_)[firstChar].get();
            if (definition && definition->States.Meets(CurrentStates()))
                run.RunDefinition(*definition);
        }
    }
    if (run.Paused) {
        // The states change once the token has ended.
        paused_ = true;
        pausedToken_ = run.Token;
        return run.Token;
    }

    if (!containerPending_)
        savedStates_ = CurrentStates();

    const TStateTransition* transition = Transitions[run.Token].get();
    const bool refused = transition && !fromCombined && !transition->ValidIn.Meets(CurrentStates());
    if (refused || IStream.GetPosition() <= startPos) {
        // A token not valid here, or no progress: one character of token 0.
        IStream.SetPosition(startPos + 1);
        TokenLength = 1;
        run.Token = 0;
        transition = Transitions[0].get();
    } else if (transition) {
        TSM_StateSet& states = CurrentStates();
        if (transition->StackOps & TStateTransition::PopBefore) {
            states = StateStack->PopStates();
            ChooseStartTable();
        } else if (transition->StackOps & TStateTransition::PushBefore) {
            StateStack->PushStates(states);
        }
        if (!transition->NoChange) {
            states = (states | transition->AddStates) - transition->RemoveStates;
            ChooseStartTable();
        }
        if (transition->StackOps & TStateTransition::PopAfter) {
            states = StateStack->PopStates();
            ChooseStartTable();
        } else if (transition->StackOps & TStateTransition::PushAfter) {
            StateStack->PushStates(states);
        }
        if (TKeywords* combined = Settings().CombinedKeywords())
            combined->CurrentStates = states;
    }

    // A container's changes hold for the one token after it.
    const bool pending = containerPending_;
    const int position = IStream.GetPosition();
    if (pending && (position >= containerEnd_ || IStream.EndOfText())) {
        CurrentStates() = savedStates_;
        ChooseStartTable();
    } else if (!pending && transition && transition->IsContainer) {
        containerEnd_ = position;
        containerToken_ = run.Token;
    }
    containerPending_ = pending ? position < containerEnd_ : transition && transition->IsContainer;
    return run.Token;
}

bool TSyntaxMemoParser::HandlerPauses(const THandlerDefinition& H, std::uint8_t W) const
{
    const TSM_CharGroupManager& groups = Keywords->Groups();
    if (containerPending_ || H.Body.IsScanner || H.End.IsScanner || H.End.SetCount == 0 ||
        H.Body.SetID >= groups.Count())
        return false;
    const TSM_CharGroup& body = groups.GetGroup(H.Body.SetID);
    for (int c = 0; c < 256; ++c) {
        if (!body.Contains(std::uint8_t(c)))
            return false;
    }
    const TStateTransition* transition = Transitions[W].get();
    return !transition || (!transition->IsContainer && transition->ValidIn.Meets(Keywords->CurrentStates));
}
