// The parser component: construction, the table reset, the state the tokenizer resumes in, and
// the options dialog.
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"
#include "highlighter/table_compressor.h"

#include "platform/rtl/events.h"

#include <utility>

TSyntaxMemoParser::TSyntaxMemoParser(TComponent* AOwner)
    : TCustomSyntaxMemoParser(AOwner), Compressor(std::make_unique<TCompressor>())
{
    ResetTables();
    Compressor->Method = TCompressor::MethodKH;
    Compressor->UseStreams = true;
}

TSyntaxMemoParser::~TSyntaxMemoParser() = default;

void TSyntaxMemoParser::ResetTables()
{
    DefaultStates = TSM_StateSet::Of({0});
    for (int i = 0; i < 256; ++i) {
        Handlers[i].reset();
        StartTable[i].reset();
        Transitions[i].reset();
        ContextStates[i] = TSM_StateSet();
        StateStartTables[i].reset();
    }
    StateTableStates = TSM_StateSet();
    BoundStates = TSM_StateSet();
    NoStateTables = true;
    Keywords = std::make_unique<TSyntaxKeywords>();
    AnchorStates = TSM_StateSet::Of({0});
    CaseSensitive = false;
    StateStack = std::make_unique<TRTStack>();
    Settings().SetDefaults();
    UsesEvents = false;
    paused_ = false;
    activeStartTable_ = &StartTable;
}

void TSyntaxMemoParser::ChooseStartTable()
{
    activeStartTable_ = &StartTable;
    if (NoStateTables)
        return;
    const int state = (StateTableStates & CurrentStates()).Lowest();
    if (state >= 0 && StateStartTables[std::size_t(state)])
        activeStartTable_ = &StateStartTables[std::size_t(state)]->Entries;
}

void TSyntaxMemoParser::ResetState(std::uint8_t ContextToken)
{
    CurrentStates() = ContextStates[ContextToken];
    if (CurrentStates().IsEmpty())
        CurrentStates() = DefaultStates;
    containerPending_ = false;
    containerEnd_ = 0;
    busy_ = false;
    paused_ = false;
    StateStack = std::make_unique<TRTStack>();
    ChooseStartTable();
    if (TKeywords* combined = Settings().CombinedKeywords())
        combined->CurrentStates = CurrentStates();
}

bool TSyntaxMemoParser::InBoundState() const
{
    return Keywords && Keywords->CurrentStates.Meets(BoundStates);
}

void TSyntaxMemoParser::Loaded()
{
    TCustomSyntaxMemoParser::Loaded();
    if (AutoScriptUpdate)
        CompileScriptFile();
    RefreshEditors();
}

namespace {

TSyntaxMemoParser::TOptionsDialogRunner& OptionsDialogRunner()
{
    static TSyntaxMemoParser::TOptionsDialogRunner runner;
    return runner;
}

} // namespace

TSyntaxMemoParser::TOptionsDialogRunner TSyntaxMemoParser::SetOptionsDialogRunner(TOptionsDialogRunner Runner)
{
    return std::exchange(OptionsDialogRunner(), std::move(Runner));
}

bool TSyntaxMemoParser::ShowOptionsDialog(TPropEdPages Pages)
{
    if (OnModifyProperties) {
        Fire(OnModifyProperties, static_cast<TObject*>(this));
        return false;
    }
    const TOptionsDialogRunner runner = OptionsDialogRunner();
    if (!runner || !runner(*this, Pages))
        return false;
    RefreshEditors();
    if (UseRegistry && !RegistryKey.isEmpty())
        SaveToRegistry();
    return true;
}
