// The sample parser of the table image tests.
#include "sample_parser.h"

#include "table_builder.h"

#include "editor/language/sm_settings.h"

const char* const SampleParserText = "begin rem a note\rnum42 q; w a.b 'x'\r{ comment } (* c *) /***/ 12.5e3\r"
                                     "<x y; x @at end\rSELECT from x\r";

void BuildSampleParser(TSyntaxMemoParser& Parser)
{
    using T = TStateTransition;
    const TSM_StateSet s0 = TSM_StateSet::Of({0});
    const TSM_StateSet s1 = TSM_StateSet::Of({1});
    const TSM_StateSet s2 = TSM_StateSet::Of({2});

    TTableBuilder b(Parser);
    Parser.Settings().Name = QStringLiteral("Sample");
    Parser.Settings().SetTokenStyle(50, 3);
    Parser.Settings().AddKeywordTable(s0, "[^a-z]", 0, {{"select", 70}, {"from", 71}});

    b.Word("begin", 5, TSM_StateSet::Of({0, 1}), "[^a-z0-9_]");
    b.States(5, s1, {}, T::PushBefore);
    b.Word("end", 6, TSM_StateSet::Of({0, 1}), "[^a-z0-9_]");
    b.States(6, {}, s1, T::PopAfter);

    // Handlers: a set body with a look-only end, a standard scanner, the event, and table entries.
    b.Word("rem", 60, s0, "[^a-z]");
    b.Handler(60, b.Chars("[^\\n]"), b.End({"\\n"}, false));
    b.Word("num", 61);
    b.Handler(61, TTableBuilder::Scanner(16));
    b.Word("q", 62);
    b.Handler(62, TTableBuilder::Event(8), TTableBuilder::Event(9));
    b.Word("w", 63);
    b.Handler(63, TTableBuilder::Scanner(1, true), TTableBuilder::Scanner(12));

    // The default start table.
    b.Token(50, "{", b.Chars("[^}]"), b.End({"}"}));
    b.Token(53, "(", b.Chars("[^]"), b.End({"*", ")"}));
    b.Token(54, "/", b.Chars("[^]", true), b.End({"*", "*", "*", "/"}));
    b.Token(55, "'", TTableBuilder::Scanner(0), b.End({"'"}));
    b.ScannerToken(56, 11, "0-9");
    b.Token(90, "@", TTableBuilder::Event(7), {});
    b.Single(10, "<");
    b.States(10, s2, s0, 0, true);

    // The start tables of states 2 and 3, with range lists.
    b.Single(41, "x", {}, 2);
    b.Token(42, "y", b.Chars("[a-z]"), b.End({";"}), TSM_StateSet::Of({3}), 2);
    b.Single(43, "x", {}, 3);
    TStateStartBlock& block = *Parser.StateStartTables[2];
    for (const auto& [low, high] : {std::pair<int, int>{'x', 'y'}, {'a', 'c'}}) {
        auto definition = std::make_unique<TTokenDefinition>(*block.Entries['x']);
        definition->Token = std::uint8_t(low);
        block.Ranges.push_back({std::uint16_t(low), std::uint16_t(high), std::move(definition)});
    }

    Parser.ContextStates[5] = s1;
    Parser.ContextStates[6] = TSM_StateSet::Of({0, 2});
    Parser.AnchorStates = TSM_StateSet::Of({0, 1});
    Parser.BoundStates = s1;
    Parser.UsesEvents = true;
    b.Finish();
}
