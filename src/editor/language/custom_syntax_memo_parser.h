// TCustomSyntaxMemoParser: the parser interface the editor calls to split its text into tokens,
// with the language settings a parser shares among its editors and the list of those editors.
//
// How the editor uses a parser:
// - A highlighting run calls ResetState with the token stored where the run restarts, then
//   NextToken over the text as far as the run goes, then ResetState with the same token again.
//   NextToken reads one token at the stream's position, leaves the stream after it and returns
//   its value (0: text no rule claims) with its length, which is at least 1. The editor writes the
//   token of every character into its line records; that is where restart tokens come from.
// - GetAnchorStates: the states at which a run may restart. InBoundState: the parser stands in a
//   state in which lines are bound together, so a run must go on past an unchanged line.
// - ContainerPending: the last token changed the states of the one token after it only. Busy is
//   its copy taken when NextToken returned; a NextToken call while Busy and no container is
//   pending returns 0 without reading.
// - CustomParseMissing: rules call the custom-parse event but no handler is assigned; the driver
//   then does not scan.
// - SetTokenPiece and TokenPaused: a run that goes on in slices lets a parser return a long token
//   in pieces of at least PieceLength characters (0: whole tokens). A piece carries the token's
//   value; TokenPaused says the token goes on, and the next NextToken call, with the stream where
//   the piece ended, returns its next piece. ResetState ends a paused token. A parser that cannot
//   pause a token ignores the length.
// - Settings: the language's settings, shared by every editor that shows the language.
// - AddEditor lists an editor (once) and attaches it to Settings; RemoveEditor undoes both.
//   RefreshEditors asks every listed editor to install the parser again
//   (TMemoCore::ReinstallParser), with Refreshing set meanwhile. A parser being freed tells every
//   listed editor (TMemoCore::ParserFreed) to empty the slots that hold it; an editor being freed
//   leaves the list of every parser. No pointer outlives what it points to.
// - ShowOptions, ShowOptionsDialog, SaveToRegistry and LoadFromRegistry: the options dialog and
//   the language's stored settings. A parser without either, as this one, does nothing.
// Everything runs on the GUI thread.
#pragma once

#include "editor/document/memo_core.h"
#include "editor/language/state_set.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class TCustomEdStream;
class TSM_Settings;

// The pages of the options dialog; a set of them has bit n for page n.
enum TPropEdPage { ppOPTIONS, ppHIGHLIGHTING, ppKEYS, ppAUTOCORRECT, ppTEMPLATES };
using TPropEdPages = std::uint8_t;
constexpr TPropEdPages AllPropEdPages = 0x1F;

class TCustomSyntaxMemoParser : public TComponent, private TEditorLink {
public:
    explicit TCustomSyntaxMemoParser(TComponent* AOwner = nullptr);
    ~TCustomSyntaxMemoParser() override;

    // --- tokens ---
    // Reads one token of IStream from its position on. Editor (may be null) is listed as
    // AddEditor does.
    virtual std::uint8_t NextToken(TMemoCore* Editor, TCustomEdStream& IStream, int& TokenLength) = 0;
    // Prepares to resume at a place of the text whose stored token is ContextToken.
    virtual void ResetState(std::uint8_t ContextToken) = 0;
    virtual void GetAnchorStates(TSM_StateSet& States) const = 0;
    virtual bool InBoundState() const = 0;
    virtual bool ContainerPending() const = 0;
    virtual bool Busy() const = 0;
    virtual bool CustomParseMissing() const = 0;
    virtual void SetTokenPiece(int /*PieceLength*/) {}
    virtual bool TokenPaused() const { return false; }

    // --- settings, options and stored settings ---
    TSM_Settings& Settings() const { return *settings_; }
    // The options dialog with every page.
    virtual void ShowOptions();
    // Shows the options dialog with Pages; true when the user confirmed it.
    virtual bool ShowOptionsDialog(TPropEdPages Pages);
    // Stores the settings under RegistryKey.
    virtual void SaveToRegistry() {}
    // Reads the stored settings from RegistryKey (UseOwnKey) or from KeyPath.
    virtual void LoadFromRegistry(bool /*UseOwnKey*/, const QString& /*KeyPath*/) {}
    bool UseRegistry = false;
    QString RegistryKey;

    // --- editors ---
    void AddEditor(TMemoCore* Editor);
    void RemoveEditor(TMemoCore* Editor);
    // Not while loading and not without editors. An editor whose re-install raises is skipped;
    // Refreshing is set until the refresh ends, however it ends.
    void RefreshEditors();
    const std::vector<TMemoCore*>& Editors() const { return editors_; }
    bool Refreshing() const { return refreshing_; }

    // --- the options dialog: while it is open the parser shows its copy of the settings to its
    // own sample editors, and its editors wait aside. Each hands back what was in place before;
    // the editors keep their free notifications and their hold on the settings they use ---
    std::unique_ptr<TSM_Settings> ExchangeSettings(std::unique_ptr<TSM_Settings> Settings);
    std::vector<TMemoCore*> ExchangeEditors(std::vector<TMemoCore*> Editors);

    // --- loading ---
    // Between the start of reading the parser as part of its form and Loaded.
    bool IsLoading() const { return loading_; }
    virtual void Loaded() { loading_ = false; }

protected:
    void BeginLoading() { loading_ = true; }

private:
    void EditorFreed(TMemoCore* Editor) override { RemoveEditor(Editor); }

    std::unique_ptr<TSM_Settings> settings_;
    std::vector<TMemoCore*> editors_;
    bool refreshing_ = false;
    bool loading_ = false;
};
