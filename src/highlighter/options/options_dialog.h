// TOptionsDialog, "Editor Options": one language parser's editor settings on five pages (options,
// highlighting, key assignments, auto correct, code templates). It works on a copy of the
// parser's settings, installed in the parser while the dialog is open so that its two sample
// editors show every change at once; OK writes the copy back, Cancel drops it.
#pragma once

#include "editor/language/custom_syntax_memo_parser.h"
#include "platform/ui/vkeys.h"
#include "platform/widgets/form.h"

#include <QPoint>
#include <QStringList>
#include <list>
#include <memory>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTabWidget;
class TDFSColorButton;
class TSM_HotKey;
class TSM_Settings;
class TSpinButton;
class TSyntaxMemo;
class TSyntaxMemoParser;

class TOptionsDialog : public TForm {
    Q_OBJECT
public:
    // The values of the Element list's three fixed items.
    static constexpr int SelectedTextElement = 16384;
    static constexpr int LeftMarginElement = 16385;
    static constexpr int GutterElement = 16386;
    // Presses in the sample editor closer than this to the last one pick nothing new.
    static constexpr int ClickThreshold = 6;

    // One binding of a command: two short cuts, the second 0 for a one-key binding.
    struct TBinding {
        TShortCut Key1 = 0;
        TShortCut Key2 = 0;
        bool operator==(const TBinding&) const = default;
    };
    // A command of the Commands list with its bindings, loaded from the copy's key map when first
    // needed.
    struct TCommandRecord {
        bool Changed = false;
        int Command = 0;
        bool Loaded = false;
        std::list<TBinding> Bindings;
    };

    explicit TOptionsDialog(TComponent* AOwner = nullptr);
    ~TOptionsDialog() override;

    // Set by the creator before Execute.
    TSyntaxMemoParser* Parser = nullptr;
    // Shows the pages whose bits (TPropEdPage) are in Pages; true when closed by OK. An empty set
    // shows nothing and returns false.
    bool Execute(TPropEdPages Pages);

    // The settings being edited (while Execute runs).
    TSM_Settings* Copy() const { return copy_; }
    TCommandRecord* CommandRecordAt(int Row);

    QTabWidget* PageControl;
    QWidget* OptionsPage;
    QWidget* HighlightingPage;
    QWidget* KeysPage;
    QWidget* AutoCorrectPage;
    QWidget* TemplatesPage;
    QPushButton* OKButton;
    QPushButton* CancelButton;

    // Options page.
    std::vector<QCheckBox*> OptionBoxes;
    QLineEdit* IndentStepBox;
    QLineEdit* WrapColumnBox;
    QLineEdit* TabColumnsBox;
    QLineEdit* DeftabBox;
    QLineEdit* LeftBorderWidthBox;
    QLineEdit* RightMarginWidthBox;
    TSpinButton* GutterSpin;
    TSpinButton* MarginSpin;
    QCheckBox* OptionBox(const char* Name) const;

    // Highlighting page.
    QLineEdit* LangNameBox;
    QListWidget* SynElementsBox;
    TSyntaxMemo* FEditor;
    QCheckBox* UseBoldBox;
    QCheckBox* UseItalicBox;
    QCheckBox* UseUnderlineBox;
    TDFSColorButton* ForegroundButton;
    TDFSColorButton* BackgroundButton;
    QCheckBox* UseDefForeBox;
    QCheckBox* UseDefBackBox;
    QComboBox* FontNameBox;
    QComboBox* FontSizeBox;
    QComboBox* FontFamilyBox;

    // Key Assignments page.
    QListWidget* CommandDescListBox;
    QListWidget* CommandKeysListBox;
    QPushButton* AddButton;
    QPushButton* DeleteButton;
    QPushButton* EditButton;

    // Auto Correct page.
    QListWidget* AutoReplBox;
    QLineEdit* ReplaceBox;
    QLineEdit* WithBox;
    QLineEdit* AutoReplActBox;
    QPushButton* AutoReplButton1;
    QPushButton* AutoReplButton2;

    // Code Templates page.
    QListWidget* cteListBox;
    QLineEdit* cteNameBox;
    QLineEdit* cteDescBox;
    TSM_HotKey* cteHotkey;
    TSyntaxMemo* SyntaxMemo1;
    QPushButton* CodeTemplateButton1;
    QPushButton* CodeTemplateButton2;

protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    void BuildOptionsPage();
    void BuildHighlightingPage();
    void BuildKeysPage();
    void BuildAutoCorrectPage();
    void BuildTemplatesPage();
    void FormShow();
    bool FilterEvent(QObject* Watched, QEvent* Event);
    void OkClick();
    // The sample editors show the copy, highlighted by the parser.
    void RefreshSamples();

    // Options page.
    void OptionClick(QCheckBox* Box);
    void NumberEditLeft(QLineEdit* Edit);
    void TabEditLeft(QLineEdit* Edit);
    void MarginChanged(QLineEdit* Edit);
    void SpinClick(QLineEdit* Edit, bool Up);
    void UpdateTabColBox();

    // Highlighting page.
    int SelectedElement() const;
    void ElementSelected();
    void FontStyleClick(QCheckBox* Box);
    void ColorChange();
    void DefaultBoxClick(QCheckBox* Box);
    void SampleMousePress(QPoint Point);
    void FontNameSelected();
    void FontSizeSelected();
    void CharsetSelected();
    void FillCharsets();
    void StylesChanged();

    // Key Assignments page.
    void FillCommands();
    void CommandSelected();
    void BindingSelected();
    void LoadBindings(TCommandRecord& Record);
    void ShowBindings();
    void AddBinding();
    void EditBinding();
    void DeleteBinding();
    void DropEmptyBindings();
    // Builds the key map from the records; false (with the message shown) when it cannot be built.
    bool RebuildKeyMap();

    // Auto Correct and Code Templates pages.
    void FillAutoReplace();
    void AutoReplaceSelected();
    void UpdateAutoReplaceButtons();
    void AutoReplaceButton1Click();
    void AutoReplaceButton2Click();
    void RebuildAutoReplace();
    void FillTemplates();
    void TemplateSelected();
    void UpdateTemplateButtons();
    void TemplateButton1Click();
    void TemplateButton2Click();
    void TemplateHotkeyLeft();

    TSM_Settings* copy_ = nullptr;
    std::unique_ptr<TSM_Settings> parserSettings_;
    std::vector<TMemoCore*> parserEditors_;
    bool updating_ = false;
    QPoint lastMouse_{-100, -100};
    TBinding currentBinding_;
    TPropEdPages pages_ = 0;
    QStringList autoReplaceWords_;
    QStringList templateNames_;
    QStringList fontNames_;
    std::vector<std::unique_ptr<TCommandRecord>> commands_;
};
