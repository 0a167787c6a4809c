// The parser interface: its settings and the editors it serves.
#include "editor/language/custom_syntax_memo_parser.h"

#include "editor/language/sm_settings.h"

#include <algorithm>
#include <exception>
#include <utility>

TCustomSyntaxMemoParser::TCustomSyntaxMemoParser(TComponent* AOwner)
    : TComponent(AOwner), settings_(std::make_unique<TSM_Settings>())
{
}

TCustomSyntaxMemoParser::~TCustomSyntaxMemoParser()
{
    // The settings live until the end of this destructor, so an editor can still leave them.
    const std::vector<TMemoCore*> editors = std::exchange(editors_, {});
    for (TMemoCore* editor : editors) {
        editor->RemoveFreeNotification(this);
        editor->ParserFreed(this);
        settings_->DetachEditor(editor);
    }
}

void TCustomSyntaxMemoParser::ShowOptions()
{
    ShowOptionsDialog(AllPropEdPages);
}

bool TCustomSyntaxMemoParser::ShowOptionsDialog(TPropEdPages /*Pages*/)
{
    return false;
}

void TCustomSyntaxMemoParser::AddEditor(TMemoCore* Editor)
{
    // The tokenizer asks for every token, nearly always for the editor added last.
    if (!Editor || (!editors_.empty() && editors_.back() == Editor) ||
        std::find(editors_.begin(), editors_.end(), Editor) != editors_.end())
        return;
    editors_.push_back(Editor);
    settings_->AttachEditor(Editor);
    Editor->FreeNotification(this);
}

void TCustomSyntaxMemoParser::RemoveEditor(TMemoCore* Editor)
{
    const auto found = std::find(editors_.begin(), editors_.end(), Editor);
    if (found == editors_.end())
        return;
    editors_.erase(found);
    settings_->DetachEditor(Editor);
    Editor->RemoveFreeNotification(this);
}

std::unique_ptr<TSM_Settings> TCustomSyntaxMemoParser::ExchangeSettings(std::unique_ptr<TSM_Settings> Settings)
{
    return std::exchange(settings_, std::move(Settings));
}

std::vector<TMemoCore*> TCustomSyntaxMemoParser::ExchangeEditors(std::vector<TMemoCore*> Editors)
{
    return std::exchange(editors_, std::move(Editors));
}

void TCustomSyntaxMemoParser::RefreshEditors()
{
    if (editors_.empty() || loading_)
        return;
    // Set for the whole refresh, so that the remeasuring it causes in each editor neither feeds
    // the font back nor refreshes again; cleared afterwards so that font feedback works again.
    struct TRefreshing {
        bool& flag;
        bool before;
        ~TRefreshing() { flag = before; }
    } refreshing{refreshing_, refreshing_};
    refreshing_ = true;

    const std::vector<TMemoCore*> editors = editors_;
    for (TMemoCore* editor : editors) {
        // An earlier editor's re-install may have taken this one off the list (or freed it).
        if (std::find(editors_.begin(), editors_.end(), editor) == editors_.end())
            continue;
        try {
            editor->ReinstallParser();
        } catch (const std::exception&) {
            // One editor that fails does not keep the others from being refreshed.
        }
    }
}
