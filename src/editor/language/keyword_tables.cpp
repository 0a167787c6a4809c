// The settings' keyword tables and the matcher that combines them.
#include "editor/language/sm_settings.h"

#include "editor/document/syntax_memo_error.h"

namespace {

// One matcher with every non-empty word of every table, in slot order.
std::unique_ptr<TKeywords> CombineTables(const std::vector<std::optional<TKeywordTable>>& Tables)
{
    auto combined = std::make_unique<TKeywords>();
    for (const std::optional<TKeywordTable>& table : Tables) {
        if (!table || table->Words.empty())
            continue;
        TSM_CharGroup endGroup;
        if (table->EndSpec.isEmpty()) {
            endGroup.AddRange(0, 255);
        } else {
            int position = 1;
            endGroup.Parse(table->EndSpec, position);
        }
        for (const TKeywordTableWord& word : table->Words)
            combined->AddKeyword(word.Word, table->CaseFlag, endGroup, table->States, word.Token);
    }
    return combined;
}

} // namespace

void TSM_Settings::AddKeywordTable(const TSM_StateSet& States, const QByteArray& EndSpec,
                                   std::uint8_t CaseFlag, const std::vector<TKeywordTableWord>& Words)
{
    const TSM_StateSet states = States.IsEmpty() ? TSM_StateSet::Of({0}) : States;
    std::vector<std::optional<TKeywordTable>> tables = keywordTables_;
    tables.resize(KeywordTableSlots);

    std::size_t slot = 0;
    for (; slot < tables.size(); ++slot) {
        if (!tables[slot])
            break;
        if (tables[slot]->States.Meets(states)) {
            if (tables[slot]->States != states)
                throw EKeywords(QStringLiteral("Ambigious key table state definition"));
            break;
        }
    }
    if (slot == tables.size())
        throw EKeywords(QStringLiteral("Too many keyword tables declared"));
    tables[slot] = TKeywordTable{states, EndSpec, CaseFlag, Words};

    // Built before anything changes, so that a table the matcher refuses leaves the settings as
    // they were.
    std::unique_ptr<TKeywords> combined = CombineTables(tables);
    keywordTables_ = std::move(tables);
    combinedKeywords_ = std::move(combined);
}
