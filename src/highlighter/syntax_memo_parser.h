// TSyntaxMemoParser: the language parser component. It holds the compiled tables of one language,
// runs them as the tokenizer the editor calls, and keeps them as the compiled image stored in its
// binary property "Parser".
#pragma once

#include "editor/language/custom_syntax_memo_parser.h"
#include "editor/language/syntax_keywords.h"
#include "highlighter/rt_stack.h"
#include "highlighter/token_rules.h"

#include "platform/rtl/exception.h"

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class TCompressor;
class TStream;

// A rule asks the program to read on: ParseID is the rule's number; the handler reads from IStream,
// adds what it consumes to kLength, may set the token value kValue, and says whether the rule holds.
using TCustomParseEvent = std::function<bool(TObject* Sender, std::int32_t ParseID, TCustomEdStream& IStream,
                                             std::int32_t& kLength, std::int32_t& kValue)>;
// An image of an older format was read outside the loading of the form.
using TVersionErrorEvent =
    std::function<void(TObject* Sender, int VersionEncountered, int VersionExpected)>;

// A "Parser" property of an older format read while the form is loaded.
class ESyntaxMemoParserError : public Exception {
public:
    using Exception::Exception;
};

// Tables and their invariants (what the compiler and the image reader keep to):
// - the tokenizer runs on the keyword store's CurrentStates;
// - StartTable and each state's start block are indexed by the first character of a token;
//   StateTableStates holds exactly the states with a block, and NoStateTables says it is empty;
// - Handlers, Transitions and ContextStates are indexed by token value; a ContextStates entry is
//   never empty once compiled or read (it is DefaultStates where the script gave none);
// - every SetID is an ID of the keyword store's group manager, and every scanner number is one its
//   kind of rule may use (standard_scanners.h).
class TSyntaxMemoParser : public TCustomSyntaxMemoParser {
public:
    // The format of the "Parser" property written; older ones down to 50 are read alike.
    static constexpr int ParserVersion = 51;
    static constexpr int OldestReadableVersion = 50;

    explicit TSyntaxMemoParser(TComponent* AOwner = nullptr);
    ~TSyntaxMemoParser() override;

    // --- the tokenizer ---
    std::uint8_t NextToken(TMemoCore* Editor, TCustomEdStream& IStream, int& TokenLength) override;
    void ResetState(std::uint8_t ContextToken) override;
    void GetAnchorStates(TSM_StateSet& States) const override { States = AnchorStates; }
    bool InBoundState() const override;
    bool ContainerPending() const override { return containerPending_; }
    bool Busy() const override { return busy_; }
    bool CustomParseMissing() const override { return UsesEvents && !OnCustomParse; }
    // Only a handler whose body takes any character and whose end is a run of groups pauses: its
    // token's value and end do not depend on where it was paused.
    void SetTokenPiece(int PieceLength) override { pieceLength_ = PieceLength; }
    bool TokenPaused() const override { return paused_; }
    // The states the tokenizer is in (the keyword store's).
    TSM_StateSet& CurrentStates() { return Keywords->CurrentStates; }
    // The start table for CurrentStates: the block of the lowest current state that has one, else
    // StartTable. Called after every change of CurrentStates.
    void ChooseStartTable();
    const TStartTable& ActiveStartTable() const { return *activeStartTable_; }

    // --- the tables ---
    // Empties every table, the keyword store and the stack, and resets the settings: the state
    // before a compilation or a load.
    void ResetTables();

    // --- the "Parser" property: version word, image size, the image in a KH container ---
    void WriteData(TStream& Stream) const;
    // Reads a property written by WriteData: the tables are reset first, and again when the read
    // fails (the error propagates). An older version leaves them reset: while loading it raises
    // ESyntaxMemoParserError, otherwise OnParserVersionError is called, or, without one, a message
    // box says so (standard error without a display).
    void ReadData(TStream& Stream);
    // Reads the property as part of reading the form: the parser is loading until Loaded.
    void ReadFromForm(TStream& Stream);
    // Compiles the Script file when AutoScriptUpdate is set, and refreshes the editors, once the
    // form is read.
    void Loaded() override;
    // Takes every table, the settings and the keywords of another TSyntaxMemoParser; any other
    // source raises ESyntaxMemo "Cannot assign a <source class> to <this class>".
    void Assign(const TObject& Source);

    // --- the settings stored in the registry, below HKEY_CURRENT_USER ---
    // Writes "Highlighting - <language>" (the style string) and "Key Assignments - <language>"
    // (the signature as a short string, then the key map's stream) under RegistryKey, creating it.
    // Raises ESyntaxMemo "Registry interface disabled in: <name>" unless UseRegistry is set and
    // RegistryKey is not empty.
    void SaveToRegistry() override;
    // Reads both values from RegistryKey (UseOwnKey, with the same requirement as saving) or from
    // KeyPath, then refreshes the editors. A missing key or highlighting value loads nothing; a key
    // value without the signature at its start is ignored. Any fault raises ESyntaxMemo
    // "Invalid data in registry entry "<key>\Highlighting - <language>"".
    void LoadFromRegistry(bool UseOwnKey, const QString& KeyPath) override;

    // --- the options dialog (a widget: its own library installs how it runs, at start-up) ---
    // With OnModifyProperties assigned, calls it instead and returns false. Otherwise runs the
    // dialog with Pages; after OK refreshes the editors and, while the registry is in use (with a
    // key), stores the settings there. True when the user pressed OK.
    bool ShowOptionsDialog(TPropEdPages Pages) override;
    std::function<void(TObject* Sender)> OnModifyProperties;
    using TOptionsDialogRunner = std::function<bool(TSyntaxMemoParser& Parser, TPropEdPages Pages)>;
    // Installs Runner (empty: no dialog, ShowOptionsDialog returns false) and returns the one
    // installed before.
    static TOptionsDialogRunner SetOptionsDialogRunner(TOptionsDialogRunner Runner);

    // --- the parser script ---
    // The script's file name; names in angle brackets of its #include lines are looked up in its
    // folder.
    const QString& Script() const { return script_; }
    void SetScript(const QString& FileName) { script_ = FileName; }
    // Resets the tables and compiles the rest of Stream into them. An error raises ESYM_COMP_ERROR
    // (or ESyntaxMemo for a value out of range) and leaves the tables as far as they were filled.
    // Either way ScriptLine and ScriptColumn say where the compiler stopped.
    void CompileScript(TStream& Stream);
    // Compiles the Script file when it exists, then refreshes the editors.
    void CompileScriptFile();
    // The 0-based line and column the last compilation ended at.
    int ScriptLine = 0;
    int ScriptColumn = 0;

    // ASCII case changes.
    static std::uint8_t LoCase(std::uint8_t C) { return C >= 'A' && C <= 'Z' ? std::uint8_t(C + 32) : C; }
    static std::uint8_t UpCase(std::uint8_t C) { return C >= 'a' && C <= 'z' ? std::uint8_t(C - 32) : C; }

    // Stored with the form; the parser never reads it.
    QString Compile;
    // Compile the script when the form is loaded.
    bool AutoScriptUpdate = false;
    TCustomParseEvent OnCustomParse;
    TVersionErrorEvent OnParserVersionError;

    // Some rule calls the custom-parse event.
    bool UsesEvents = false;
    // The language's case rule, for matching the settings' combined keywords.
    bool CaseSensitive = false;
    bool NoStateTables = true;
    std::unique_ptr<TSyntaxKeywords> Keywords;
    std::unique_ptr<TCompressor> Compressor;
    TStartTable StartTable;
    std::array<std::unique_ptr<TStateStartBlock>, 256> StateStartTables;
    // Where the editor may restart highlighting; where lines are bound together; where a text
    // starts; which states have a start block.
    TSM_StateSet AnchorStates;
    TSM_StateSet BoundStates;
    TSM_StateSet DefaultStates;
    TSM_StateSet StateTableStates;
    std::array<std::unique_ptr<THandlerDefinition>, 256> Handlers;
    std::array<std::unique_ptr<TStateTransition>, 256> Transitions;
    // The states a line starts in after a line that ended in the token.
    std::array<TSM_StateSet, 256> ContextStates;
    std::unique_ptr<TRTStack> StateStack;

private:
    class TTokenRun;
    friend class TTokenRun;

    // The version-mismatch path of ReadData.
    void VersionMismatch(int Version);
    // Handler H of token W can pause its token: its body cannot fail or stall, its end looks
    // ahead a few characters only, and the token's transition neither is refused nor opens a
    // container.
    bool HandlerPauses(const THandlerDefinition& H, std::uint8_t W) const;

    const TStartTable* activeStartTable_ = &StartTable;
    bool containerPending_ = false;
    bool busy_ = false;
    int containerToken_ = 0;
    int containerEnd_ = 0;
    TSM_StateSet savedStates_;
    int pieceLength_ = 0;
    // The last token was returned in part; its value (its handler goes on).
    bool paused_ = false;
    std::uint8_t pausedToken_ = 0;
    QString script_;
};
