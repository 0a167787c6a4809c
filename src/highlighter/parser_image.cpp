// Writing and reading the compiled parser table image.
#include "highlighter/parser_image.h"

#include "editor/language/sm_settings.h"
#include "editor/document/table_stream.h"
#include "highlighter/standard_scanners.h"
#include "highlighter/syntax_memo_parser.h"

#include "platform/rtl/streams.h"

#include <limits>

namespace {

// The fewest bytes each record takes, so that no stored count is trusted beyond the bytes left.
constexpr std::int64_t RuleSize = 1 + CharGroupStreamSize + 1;
constexpr std::int64_t EndRuleSize = 3;
constexpr std::int64_t DefinitionSize = RuleSize + 32 + RuleSize + EndRuleSize + 1;
constexpr std::int64_t HandlerEntrySize = 1 + RuleSize + EndRuleSize;
constexpr std::int64_t StartEntrySize = 1 + DefinitionSize;
constexpr std::int64_t ContextEntrySize = 1 + 32;
constexpr std::int64_t TransitionEntrySize = 1 + 3 * 32 + 3;
constexpr std::int64_t StateBlockSize = 1 + 4;
constexpr std::int64_t BlockEntrySize = 1 + DefinitionSize + 4;
constexpr std::int64_t RangeSize = 2 + 2 + DefinitionSize;
constexpr std::int32_t AnyCount = std::numeric_limits<std::int32_t>::max();
constexpr int MaxEndGroups = 4;

[[noreturn]] void BadImage()
{
    throw EReadError(QStringLiteral("Stream read error"));
}

// The scanner numbers a kind of rule may use. Event numbers are free, except in a start rule, which
// calls its scanner whatever it says.
struct TScannerRange {
    int Low;
    int High;
    bool EventsFree = true;
};
constexpr TScannerRange StartScanners{FirstStandardScanner, LastStandardScanner, false};
constexpr TScannerRange HandlerBodyScanners{0, LastStandardScanner};
constexpr TScannerRange EntryScanners{0, ScannerCount - 1};

class TImageWriter {
public:
    TImageWriter(const TSyntaxMemoParser& Parser, TStream& Stream) : parser_(Parser), stream_(Stream) {}

    void Write()
    {
        TSM_Settings& settings = parser_.Settings();
        settings.StreamVersion = TSyntaxMemoParser::ParserVersion;
        struct TRestore {
            TSM_Settings& settings;
            ~TRestore() { settings.StreamVersion = TSM_Settings::CurrentStreamVersion; }
        } restore{settings};
        settings.SaveToStream(stream_);
        parser_.Keywords->SaveToStream(stream_);

        WriteInteger(stream_, Filled(parser_.Handlers));
        for (int v = 0; v < 256; ++v) {
            if (const THandlerDefinition* handler = parser_.Handlers[v].get()) {
                WriteByte(stream_, std::uint8_t(v));
                WriteRule(handler->Body);
                WriteEndRule(handler->End);
            }
        }

        WriteStartTable(parser_.StartTable);

        std::int32_t contexts = 0;
        for (const TSM_StateSet& states : parser_.ContextStates)
            contexts += states != parser_.DefaultStates;
        WriteInteger(stream_, contexts);
        for (int v = 0; v < 256; ++v) {
            if (parser_.ContextStates[v] != parser_.DefaultStates) {
                WriteByte(stream_, std::uint8_t(v));
                WriteStateSet(stream_, parser_.ContextStates[v]);
            }
        }

        WriteInteger(stream_, Filled(parser_.Transitions));
        for (int v = 0; v < 256; ++v) {
            if (const TStateTransition* t = parser_.Transitions[v].get()) {
                WriteByte(stream_, std::uint8_t(v));
                WriteStateSet(stream_, t->ValidIn);
                WriteStateSet(stream_, t->AddStates);
                WriteStateSet(stream_, t->RemoveStates);
                WriteByte(stream_, t->IsContainer);
                WriteByte(stream_, t->NoChange);
                WriteByte(stream_, t->StackOps);
            }
        }

        WriteInteger(stream_, parser_.NoStateTables ? 0 : Filled(parser_.StateStartTables));
        if (!parser_.NoStateTables) {
            for (int state = 0; state < 256; ++state) {
                if (const TStateStartBlock* block = parser_.StateStartTables[state].get()) {
                    WriteByte(stream_, std::uint8_t(state));
                    WriteInteger(stream_, Filled(block->Entries));
                    for (int c = 0; c < 256; ++c) {
                        if (const TTokenDefinition* definition = block->Entries[c].get()) {
                            WriteByte(stream_, std::uint8_t(c));
                            WriteDefinition(*definition);
                            WriteRanges(block->Ranges);
                        }
                    }
                }
            }
        }

        WriteStateSet(stream_, parser_.AnchorStates);
        WriteStateSet(stream_, parser_.BoundStates);
        WriteStateSet(stream_, parser_.DefaultStates);
        WriteByte(stream_, parser_.UsesEvents);
    }

private:
    template <class Table> static std::int32_t Filled(const Table& Entries)
    {
        std::int32_t count = 0;
        for (const auto& entry : Entries)
            count += entry != nullptr;
        return count;
    }

    // The group of a set ID; an ID the store does not know is written as an empty group.
    void WriteGroup(std::uint16_t ID)
    {
        const TSM_CharGroupManager& groups = parser_.Keywords->Groups();
        if (ID < groups.Count())
            groups.GetGroup(ID).SaveToStream(stream_);
        else
            TSM_CharGroup().SaveToStream(stream_);
    }

    void WriteScanner(const TTokenRule& Rule)
    {
        WriteByte(stream_, Rule.IsEvent);
        WriteInteger(stream_, Rule.ScannerNo);
    }

    void WriteRule(const TTokenRule& Rule)
    {
        WriteByte(stream_, Rule.Flag);
        WriteGroup(Rule.SetID);
        WriteByte(stream_, Rule.IsScanner);
        if (Rule.IsScanner)
            WriteScanner(Rule);
    }

    void WriteEndRule(const TTokenRule& Rule)
    {
        WriteByte(stream_, Rule.Flag);
        WriteByte(stream_, Rule.IsScanner);
        if (Rule.IsScanner) {
            WriteScanner(Rule);
            return;
        }
        if (Rule.SetCount > MaxEndGroups)
            throw EWriteError(QStringLiteral("An end rule holds at most %1 character groups, not %2")
                                  .arg(MaxEndGroups)
                                  .arg(Rule.SetCount));
        WriteByte(stream_, Rule.SetCount);
        for (int k = 0; k < Rule.SetCount; ++k)
            WriteGroup(Rule.Sets[std::size_t(k)]);
    }

    void WriteDefinition(const TTokenDefinition& Definition)
    {
        WriteRule(Definition.Start);
        WriteStateSet(stream_, Definition.States);
        WriteRule(Definition.Body);
        WriteEndRule(Definition.End);
        WriteByte(stream_, Definition.Token);
    }

    void WriteStartTable(const TStartTable& Table)
    {
        WriteInteger(stream_, Filled(Table));
        for (int c = 0; c < 256; ++c) {
            if (const TTokenDefinition* definition = Table[c].get()) {
                WriteByte(stream_, std::uint8_t(c));
                WriteDefinition(*definition);
            }
        }
    }

    void WriteRanges(const std::vector<TStartRange>& Ranges)
    {
        WriteInteger(stream_, std::int32_t(Ranges.size()));
        for (const TStartRange& range : Ranges) {
            WriteWord(stream_, range.Low);
            WriteWord(stream_, range.High);
            WriteDefinition(range.Definition ? *range.Definition : TTokenDefinition());
        }
    }

    const TSyntaxMemoParser& parser_;
    TStream& stream_;
};

class TImageReader {
public:
    TImageReader(TSyntaxMemoParser& Parser, TStream& Stream) : parser_(Parser), stream_(Stream) {}

    void Read(int Version)
    {
        TSM_Settings& settings = parser_.Settings();
        settings.StreamVersion = Version;
        struct TRestore {
            TSM_Settings& settings;
            ~TRestore() { settings.StreamVersion = TSM_Settings::CurrentStreamVersion; }
        } restore{settings};
        settings.LoadFromStream(stream_);
        parser_.Keywords->LoadFromStream(stream_);

        for (std::int32_t n = ReadCount(stream_, AnyCount, HandlerEntrySize); n > 0; --n) {
            const std::uint8_t value = ReadByte(stream_);
            auto handler = std::make_unique<THandlerDefinition>();
            handler->Body = ReadRule(HandlerBodyScanners);
            handler->End = ReadEndRule();
            parser_.Handlers[value] = std::move(handler);
        }

        for (std::int32_t n = ReadCount(stream_, AnyCount, StartEntrySize); n > 0; --n) {
            const std::uint8_t c = ReadByte(stream_);
            parser_.StartTable[c] = ReadDefinition();
        }

        for (std::int32_t n = ReadCount(stream_, AnyCount, ContextEntrySize); n > 0; --n) {
            const std::uint8_t value = ReadByte(stream_);
            parser_.ContextStates[value] = ReadStateSet(stream_);
        }

        for (std::int32_t n = ReadCount(stream_, AnyCount, TransitionEntrySize); n > 0; --n) {
            const std::uint8_t value = ReadByte(stream_);
            auto t = std::make_unique<TStateTransition>();
            t->ValidIn = ReadStateSet(stream_);
            t->AddStates = ReadStateSet(stream_);
            t->RemoveStates = ReadStateSet(stream_);
            t->IsContainer = ReadByte(stream_);
            t->NoChange = ReadByte(stream_);
            t->StackOps = ReadByte(stream_);
            parser_.Transitions[value] = std::move(t);
        }

        for (std::int32_t n = ReadCount(stream_, AnyCount, StateBlockSize); n > 0; --n) {
            const std::uint8_t state = ReadByte(stream_);
            auto block = std::make_unique<TStateStartBlock>();
            for (std::int32_t entries = ReadCount(stream_, AnyCount, BlockEntrySize); entries > 0; --entries) {
                const std::uint8_t c = ReadByte(stream_);
                block->Entries[c] = ReadDefinition();
                block->Ranges = ReadRanges();
            }
            parser_.StateStartTables[state] = std::move(block);
            parser_.StateTableStates.Include(state);
        }
        parser_.NoStateTables = parser_.StateTableStates.IsEmpty();

        parser_.AnchorStates = ReadStateSet(stream_);
        parser_.BoundStates = ReadStateSet(stream_);
        parser_.DefaultStates = ReadStateSet(stream_);
        parser_.UsesEvents = ReadByte(stream_);

        for (TSM_StateSet& states : parser_.ContextStates) {
            if (states.IsEmpty())
                states = parser_.DefaultStates;
        }
    }

private:
    // Reads a character group and enters it in the keyword store's group manager.
    std::uint16_t ReadGroup()
    {
        TSM_CharGroup group;
        group.LoadFromStream(stream_);
        const int id = parser_.Keywords->Groups().AddGroup(group);
        if (id > std::numeric_limits<std::uint16_t>::max())
            BadImage();
        return std::uint16_t(id);
    }

    void ReadScanner(TTokenRule& Rule, TScannerRange Allowed)
    {
        Rule.IsEvent = ReadByte(stream_);
        Rule.ScannerNo = ReadInteger(stream_);
        const bool checked = !Rule.IsEvent || !Allowed.EventsFree;
        if (checked && (Rule.ScannerNo < Allowed.Low || Rule.ScannerNo > Allowed.High))
            BadImage();
    }

    TTokenRule ReadRule(TScannerRange Allowed)
    {
        TTokenRule rule;
        rule.Flag = ReadByte(stream_);
        rule.SetID = ReadGroup();
        rule.IsScanner = ReadByte(stream_);
        if (rule.IsScanner)
            ReadScanner(rule, Allowed);
        return rule;
    }

    TTokenRule ReadEndRule()
    {
        TTokenRule rule;
        rule.Flag = ReadByte(stream_);
        rule.IsScanner = ReadByte(stream_);
        if (rule.IsScanner) {
            ReadScanner(rule, EntryScanners);
            return rule;
        }
        rule.SetCount = ReadByte(stream_);
        if (rule.SetCount > MaxEndGroups)
            BadImage();
        for (int k = 0; k < rule.SetCount; ++k)
            rule.Sets[std::size_t(k)] = ReadGroup();
        return rule;
    }

    std::unique_ptr<TTokenDefinition> ReadDefinition()
    {
        auto definition = std::make_unique<TTokenDefinition>();
        definition->Start = ReadRule(StartScanners);
        definition->States = ReadStateSet(stream_);
        definition->Body = ReadRule(EntryScanners);
        definition->End = ReadEndRule();
        definition->Token = ReadByte(stream_);
        return definition;
    }

    std::vector<TStartRange> ReadRanges()
    {
        std::vector<TStartRange> ranges(std::size_t(ReadCount(stream_, AnyCount, RangeSize)));
        for (TStartRange& range : ranges) {
            range.Low = ReadWord(stream_);
            range.High = ReadWord(stream_);
            if (range.Low > 255 || range.High > 255)
                BadImage();
            range.Definition = ReadDefinition();
        }
        return ranges;
    }

    TSyntaxMemoParser& parser_;
    TStream& stream_;
};

} // namespace

void WriteParserImage(const TSyntaxMemoParser& Parser, TStream& Stream)
{
    TImageWriter(Parser, Stream).Write();
}

void ReadParserImage(TSyntaxMemoParser& Parser, TStream& Stream, int Version)
{
    TImageReader(Parser, Stream).Read(Version);
}
