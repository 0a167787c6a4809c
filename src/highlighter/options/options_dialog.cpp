// The editor options dialog: its pages as designed, Execute with the copy of the settings, filling
// the pages when shown, and OK.
#include "highlighter/options/options_dialog.h"

#include "highlighter/options/dfs_color_button.h"
#include "highlighter/options/guarded.h"
#include "highlighter/options/options_rules.h"
#include "highlighter/options/sample_editor.h"
#include "highlighter/options/sm_hot_key.h"
#include "highlighter/options/spin_button.h"
#include "highlighter/options/two_column_delegate.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/language/sm_settings.h"
#include "editor/syntax_memo.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <utility>

namespace {

template <class TControl>
TControl* Put(TControl* Control, const char* Name, const QRect& Rect)
{
    Control->setObjectName(QLatin1String(Name));
    Control->setGeometry(Rect);
    return Control;
}

void Caption(QWidget* Parent, const QString& Text, const QRect& Rect)
{
    Put(new QLabel(Text, Parent), "", Rect);
}

// The option check boxes: name, caption, bit of the option word; the first six print.
struct TOptionBox {
    const char* Name;
    const char* Caption;
    std::uint32_t Bit;
};
constexpr TOptionBox OptionTable[] = {
    {"PrnSynHighlightBox", "Syntax highlight", 16},   {"WrapLineBox", "Wrap long lines", 32},
    {"LineNosBox", "Line numbers", 64},               {"FileNamBox", "Title in header", 128},
    {"DateBox", "Date in header", 256},               {"PageNosBox", "Page numbers", 512},
    {"DispWrapBox", "Word wrap", 1024},               {"AutoIndentBox", "Auto indent", 2048},
    {"TabColBox", "Smart tab", 4096},                 {"WrapOverrideBox", "Override wrapping", 8192},
    {"WordSelectBox", "Word select", 16384},          {"VisRMarginBox", "Visible right margin", 32768},
    {"VisGutterBox", "Visible gutter", 65536},        {"ShowWrapColumnBox", "Show word-wrap column", 131072},
    {"TitleAsFilenameBox", "Title as filename", 262144}, {"BlockCursorBox", "Block cursor for Overwrite", 1048576},
    {"MarkWrapBox", "Mark wrapped lines", 2097152},   {"UseTabBox", "Use tab character", 8388608},
    {"SmartFillBox", "Smart fill", 16777216},         {"ShowAllCharsBox", "Show all chars", 67108864},
    {"CursorAfterEOLBox", "Cursor beyond EOL", 134217728}, {"EdLineNosBox", "Line numbers in gutter", 1},
};
constexpr int PrintOptionCount = 6;

// The dialog's designed size and its pages' inside.
constexpr int FormWidth = 620;
constexpr int FormHeight = 444;

} // namespace

TOptionsDialog::TOptionsDialog(TComponent* AOwner) : TForm(AOwner)
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Editor Options"));
    SetBorderStyle(bsDialog);
    Position = poScreenCenter;
    setFixedSize(FormWidth, FormHeight);

    PageControl = Put(new QTabWidget(this), "PageControl", QRect(8, 8, FormWidth - 16, FormHeight - 54));
    OptionsPage = new QWidget;
    HighlightingPage = new QWidget;
    KeysPage = new QWidget;
    AutoCorrectPage = new QWidget;
    TemplatesPage = new QWidget;
    PageControl->addTab(OptionsPage, QStringLiteral("Options"));
    PageControl->addTab(HighlightingPage, QStringLiteral("Highlighting"));
    PageControl->addTab(KeysPage, QStringLiteral("Key assignments"));
    PageControl->addTab(AutoCorrectPage, QStringLiteral("Auto correct"));
    PageControl->addTab(TemplatesPage, QStringLiteral("Code templates"));

    OKButton = Put(new QPushButton(QStringLiteral("OK"), this), "OKButton",
                   QRect(FormWidth - 8 - 2 * 75 - 8, FormHeight - 36, 75, 25));
    CancelButton = Put(new QPushButton(QStringLiteral("Cancel"), this), "CancelButton",
                       QRect(FormWidth - 8 - 75, FormHeight - 36, 75, 25));
    OKButton->setDefault(true);
    SetButtonModalResult(CancelButton, mrCancel);
    connect(OKButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { OkClick(); }); });

    BuildOptionsPage();
    BuildHighlightingPage();
    BuildKeysPage();
    BuildAutoCorrectPage();
    BuildTemplatesPage();
}

TOptionsDialog::~TOptionsDialog() = default;

QCheckBox* TOptionsDialog::OptionBox(const char* Name) const
{
    for (QCheckBox* box : OptionBoxes)
        if (box->objectName() == QLatin1String(Name))
            return box;
    return nullptr;
}

void TOptionsDialog::BuildOptionsPage()
{
    auto* group = Put(new QGroupBox(QStringLiteral("Options"), OptionsPage), "OptionsGroup", QRect(4, 4, 588, 352));
    auto* print = Put(new QGroupBox(QStringLiteral("Print Options"), group), "PrintGroup", QRect(8, 20, 572, 66));
    auto* general = Put(new QGroupBox(QStringLiteral("General options"), group), "GeneralGroup", QRect(8, 92, 572, 150));
    int index = 0;
    for (const TOptionBox& entry : OptionTable) {
        const bool printing = index < PrintOptionCount;
        const int slot = printing ? index : index - PrintOptionCount;
        QWidget* parent = printing ? print : general;
        const int rows = printing ? 2 : 6;
        auto* box = Put(new QCheckBox(QLatin1String(entry.Caption), parent), entry.Name,
                        QRect(10 + (slot / rows) * 188, 20 + (slot % rows) * 20, 184, 20));
        box->setProperty("Tag", entry.Bit);
        connect(box, &QCheckBox::clicked, this, [this, box] { RunGuarded([this, box] { OptionClick(box); }); });
        OptionBoxes.push_back(box);
        ++index;
    }

    const auto edit = [&](const char* Name, const char* Text, QRect Rect, int LabelX) {
        Caption(group, QLatin1String(Text), QRect(LabelX, Rect.y() + 3, 150, 16));
        auto* box = Put(new QLineEdit(group), Name, Rect);
        box->installEventFilter(this);
        return box;
    };
    IndentStepBox = edit("IndentStepBox", "Block indent step size", QRect(176, 252, 60, 22), 16);
    WrapColumnBox = edit("WrapColumnBox", "Word wrap column", QRect(176, 280, 60, 22), 16);
    TabColumnsBox = edit("TabColumnsBox", "Tab Columns", QRect(176, 308, 110, 22), 16);
    LeftBorderWidthBox = edit("LeftBorderWidthBox", "Gutter width", QRect(460, 252, 60, 22), 340);
    RightMarginWidthBox = edit("RightMarginWidthBox", "Right margin", QRect(460, 280, 60, 22), 340);
    DeftabBox = edit("DeftabBox", "Tab stop", QRect(460, 308, 60, 22), 340);
    LeftBorderWidthBox->setMaxLength(3);
    RightMarginWidthBox->setMaxLength(3);
    LeftBorderWidthBox->setProperty("Tag", 1);
    RightMarginWidthBox->setProperty("Tag", 2);
    for (QLineEdit* margin : {LeftBorderWidthBox, RightMarginWidthBox})
        connect(margin, &QLineEdit::textChanged, this, [this, margin] {
            RunGuarded([this, margin] { MarginChanged(margin); });
        });
    for (QLineEdit* number : {IndentStepBox, WrapColumnBox})
        connect(number, &QLineEdit::editingFinished, this, [this, number] {
            RunGuarded([this, number] { NumberEditLeft(number); });
        });
    for (QLineEdit* tabs : {TabColumnsBox, DeftabBox})
        connect(tabs, &QLineEdit::editingFinished, this, [this, tabs] {
            RunGuarded([this, tabs] { TabEditLeft(tabs); });
        });

    // The spin buttons stand inside the right end of their edits.
    const auto spin = [&](QLineEdit* Edit, int Tag) {
        auto* button = new TSpinButton(OptionsPage);
        button->setObjectName(Tag == 1 ? QStringLiteral("GutterSpin") : QStringLiteral("MarginSpin"));
        button->setProperty("Tag", Tag);
        constexpr int spinWidth = 8;
        button->SetBounds(group->x() + Edit->x() + Edit->width() - spinWidth - 2, group->y() + Edit->y() + 2,
                          spinWidth, Edit->height() - 4);
        button->move(group->x() + Edit->x() + Edit->width() - button->width() - 2, button->y());
        button->SetFocusControl(Edit);
        button->OnUpClick = [this, Edit](TObject*) { SpinClick(Edit, true); };
        button->OnDownClick = [this, Edit](TObject*) { SpinClick(Edit, false); };
        button->raise();
        return button;
    };
    GutterSpin = spin(LeftBorderWidthBox, 1);
    MarginSpin = spin(RightMarginWidthBox, 2);
}

void TOptionsDialog::BuildHighlightingPage()
{
    QWidget* page = HighlightingPage;
    Caption(page, QStringLiteral("Language"), QRect(8, 8, 200, 16));
    LangNameBox = Put(new QLineEdit(page), "LangNameBox", QRect(8, 24, 200, 22));
    LangNameBox->setReadOnly(true);
    Caption(page, QStringLiteral("Element"), QRect(8, 52, 200, 16));
    SynElementsBox = Put(new QListWidget(page), "SynElementsBox", QRect(8, 68, 200, 132));
    connect(SynElementsBox, &QListWidget::currentRowChanged, this, [this] {
        RunGuarded([this] { ElementSelected(); });
    });

    auto* attributes = Put(new QGroupBox(QStringLiteral("Text attributes"), page), "AttributesGroup",
                           QRect(216, 8, 150, 92));
    UseBoldBox = Put(new QCheckBox(QStringLiteral("Bold"), attributes), "UseBoldBox", QRect(10, 20, 130, 20));
    UseItalicBox = Put(new QCheckBox(QStringLiteral("Italic"), attributes), "UseItalicBox", QRect(10, 42, 130, 20));
    UseUnderlineBox = Put(new QCheckBox(QStringLiteral("Underline"), attributes), "UseUnderlineBox", QRect(10, 64, 130, 20));
    int tag = 1;
    for (QCheckBox* box : {UseBoldBox, UseItalicBox, UseUnderlineBox}) {
        box->setProperty("Tag", tag++);
        connect(box, &QCheckBox::clicked, this, [this, box] { RunGuarded([this, box] { FontStyleClick(box); }); });
    }

    auto* defaults = Put(new QGroupBox(QStringLiteral("Use defaults for"), page), "DefaultsGroup",
                         QRect(216, 108, 150, 70));
    UseDefForeBox = Put(new QCheckBox(QStringLiteral("Foreground"), defaults), "UseDefForeBox", QRect(10, 20, 130, 20));
    UseDefBackBox = Put(new QCheckBox(QStringLiteral("Background"), defaults), "UseDefBackBox", QRect(10, 42, 130, 20));
    for (QCheckBox* box : {UseDefForeBox, UseDefBackBox})
        connect(box, &QCheckBox::clicked, this, [this, box] { RunGuarded([this, box] { DefaultBoxClick(box); }); });

    // The colour buttons, 124 pixels wide, 4 pixels below their labels.
    const auto colorButton = [&](const char* Name, const char* Text, int Top) {
        Caption(page, QLatin1String(Text), QRect(374, Top, 124, 16));
        auto* button = Put(new TDFSColorButton(page), Name, QRect(374, Top + 16 + 4, 124, 22));
        button->OnColorChange = [this](TObject*) { ColorChange(); };
        return button;
    };
    ForegroundButton = colorButton("ForegroundButton", "Foreground", 8);
    BackgroundButton = colorButton("BackgroundButton", "Background", 56);

    Caption(page, QStringLiteral("Size"), QRect(216, 186, 60, 16));
    FontSizeBox = Put(new QComboBox(page), "FontSizeBox", QRect(216, 202, 60, 24));
    for (int size : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 30})
        FontSizeBox->addItem(QString::number(size));
    Caption(page, QStringLiteral("Charset"), QRect(284, 186, 110, 16));
    FontFamilyBox = Put(new QComboBox(page), "FontFamilyBox", QRect(284, 202, 110, 24));
    Caption(page, QStringLiteral("Font"), QRect(402, 186, 188, 16));
    FontNameBox = Put(new QComboBox(page), "FontNameBox", QRect(402, 202, 188, 24));
    connect(FontNameBox, &QComboBox::activated, this, [this] { RunGuarded([this] { FontNameSelected(); }); });
    connect(FontSizeBox, &QComboBox::activated, this, [this] { RunGuarded([this] { FontSizeSelected(); }); });
    connect(FontFamilyBox, &QComboBox::activated, this, [this] { RunGuarded([this] { CharsetSelected(); }); });

    FEditor = Put(new TSyntaxMemo(page), "FEditor", QRect(8, 234, 582, 122));
    FEditor->SetReadOnly(true);
    FEditor->NoFontFeedback = true;
    FEditor->SetCaretBlinking(false);
    FEditor->viewport()->installEventFilter(this);
}

void TOptionsDialog::BuildKeysPage()
{
    QWidget* page = KeysPage;
    Caption(page, QStringLiteral("Commands"), QRect(8, 8, 340, 16));
    CommandDescListBox = Put(new QListWidget(page), "CommandDescListBox", QRect(8, 24, 340, 332));
    Caption(page, QStringLiteral("Uses keys"), QRect(356, 8, 234, 16));
    CommandKeysListBox = Put(new QListWidget(page), "CommandKeysListBox", QRect(356, 24, 234, 200));
    CommandKeysListBox->installEventFilter(this);
    AddButton = Put(new QPushButton(QStringLiteral("Add..."), page), "AddButton", QRect(356, 232, 74, 25));
    EditButton = Put(new QPushButton(QStringLiteral("Edit..."), page), "EditButton", QRect(436, 232, 74, 25));
    DeleteButton = Put(new QPushButton(QStringLiteral("Delete"), page), "DeleteButton", QRect(516, 232, 74, 25));
    connect(CommandDescListBox, &QListWidget::currentRowChanged, this, [this] {
        RunGuarded([this] { CommandSelected(); });
    });
    connect(CommandKeysListBox, &QListWidget::currentRowChanged, this, [this] {
        RunGuarded([this] { BindingSelected(); });
    });
    connect(AddButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { AddBinding(); }); });
    connect(EditButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { EditBinding(); }); });
    connect(DeleteButton, &QPushButton::clicked, this, [this] { RunGuarded([this] { DeleteBinding(); }); });
}

void TOptionsDialog::BuildAutoCorrectPage()
{
    QWidget* page = AutoCorrectPage;
    Caption(page, QStringLiteral("Replace"), QRect(8, 8, 160, 16));
    ReplaceBox = Put(new QLineEdit(page), "ReplaceBox", QRect(8, 24, 160, 22));
    Caption(page, QStringLiteral("With"), QRect(176, 8, 312, 16));
    WithBox = Put(new QLineEdit(page), "WithBox", QRect(176, 24, 312, 22));
    AutoReplBox = Put(new QListWidget(page), "AutoReplBox", QRect(8, 54, 480, 302));
    AutoReplBox->setItemDelegate(new TTwoColumnDelegate(AutoReplBox));
    AutoReplButton1 = Put(new QPushButton(QStringLiteral("Add"), page), "AutoReplButton1", QRect(496, 24, 94, 25));
    AutoReplButton2 = Put(new QPushButton(QStringLiteral("Delete"), page), "AutoReplButton2", QRect(496, 54, 94, 25));
    Caption(page, QStringLiteral("Act key(s)"), QRect(496, 90, 94, 16));
    AutoReplActBox = Put(new QLineEdit(page), "AutoReplActBox", QRect(496, 106, 94, 22));
    connect(AutoReplBox, &QListWidget::currentRowChanged, this, [this] {
        RunGuarded([this] { AutoReplaceSelected(); });
    });
    for (QLineEdit* box : {ReplaceBox, WithBox})
        connect(box, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { UpdateAutoReplaceButtons(); }); });
    connect(AutoReplButton1, &QPushButton::clicked, this, [this] { RunGuarded([this] { AutoReplaceButton1Click(); }); });
    connect(AutoReplButton2, &QPushButton::clicked, this, [this] { RunGuarded([this] { AutoReplaceButton2Click(); }); });
    connect(AutoReplActBox, &QLineEdit::editingFinished, this, [this] {
        RunGuarded([this] { copy_->AutoReplace().SetActivationKeys(AutoReplActBox->text().toLatin1()); });
    });
}

void TOptionsDialog::BuildTemplatesPage()
{
    QWidget* page = TemplatesPage;
    Caption(page, QStringLiteral("Name"), QRect(8, 8, 120, 16));
    cteNameBox = Put(new QLineEdit(page), "cteNameBox", QRect(8, 24, 120, 22));
    Caption(page, QStringLiteral("Description"), QRect(136, 8, 330, 16));
    cteDescBox = Put(new QLineEdit(page), "cteDescBox", QRect(136, 24, 330, 22));
    Caption(page, QStringLiteral("Hotkey"), QRect(474, 8, 116, 16));
    cteHotkey = Put(new TSM_HotKey(page), "cteHotkey", QRect(474, 24, 116, 22));
    cteHotkey->installEventFilter(this);
    cteListBox = Put(new QListWidget(page), "cteListBox", QRect(8, 54, 220, 302));
    cteListBox->setItemDelegate(new TTwoColumnDelegate(cteListBox));
    Caption(page, QStringLiteral("Code template"), QRect(236, 54, 354, 16));
    SyntaxMemo1 = Put(new TSyntaxMemo(page), "SyntaxMemo1", QRect(236, 70, 354, 252));
    SyntaxMemo1->SetCaretBlinking(false);
    SyntaxMemo1->OnDataDrop = [](TObject*, unsigned& Flags) { Flags = options::TemplateDropFlags(Flags); };
    // The template's text changed: typed, or set from the list.
    SyntaxMemo1->OnChange = [this](TObject*) { UpdateTemplateButtons(); };
    SyntaxMemo1->OnTextChange = [this](TObject*, int, int) { UpdateTemplateButtons(); };
    CodeTemplateButton1 = Put(new QPushButton(QStringLiteral("Add"), page), "CodeTemplateButton1", QRect(236, 330, 94, 25));
    CodeTemplateButton2 = Put(new QPushButton(QStringLiteral("Delete"), page), "CodeTemplateButton2", QRect(338, 330, 94, 25));
    connect(cteListBox, &QListWidget::currentRowChanged, this, [this] { RunGuarded([this] { TemplateSelected(); }); });
    for (QLineEdit* box : {cteNameBox, cteDescBox})
        connect(box, &QLineEdit::textChanged, this, [this] { RunGuarded([this] { UpdateTemplateButtons(); }); });
    connect(CodeTemplateButton1, &QPushButton::clicked, this, [this] { RunGuarded([this] { TemplateButton1Click(); }); });
    connect(CodeTemplateButton2, &QPushButton::clicked, this, [this] { RunGuarded([this] { TemplateButton2Click(); }); });
}

bool TOptionsDialog::Execute(TPropEdPages Pages)
{
    if (!(Pages & AllPropEdPages) || !Parser)
        return false;
    pages_ = Pages;

    // The copy stands in for the parser's settings, with only the sample editors as its editors.
    auto copy = std::make_unique<TSM_Settings>();
    copy->Assign(Parser->Settings());
    copy->UpdateStyleFonts();
    copy_ = copy.get();
    parserSettings_ = Parser->ExchangeSettings(std::move(copy));
    parserEditors_ = Parser->ExchangeEditors({});
    AttachSample(*FEditor, *Parser);
    AttachSample(*SyntaxMemo1, *Parser);

    bool confirmed = false;
    try {
        FormShow();
        confirmed = ShowModal() == mrOk;
        if (confirmed) {
            parserSettings_->FreeStyleFonts();
            parserSettings_->Assign(*copy_);
        }
    } catch (...) {
        confirmed = false;
    }

    DetachSample(*FEditor);
    DetachSample(*SyntaxMemo1);
    autoReplaceWords_.clear();
    templateNames_.clear();
    fontNames_.clear();
    copy_ = nullptr;
    Parser->ExchangeSettings(std::move(parserSettings_));
    Parser->Settings().UpdateStyleFonts();
    Parser->ExchangeEditors(std::move(parserEditors_));
    commands_.clear();
    return confirmed;
}

void TOptionsDialog::RefreshSamples()
{
    copy_->StylesChanged = 1;
    RefreshSample(*FEditor);
    RefreshSample(*SyntaxMemo1);
}

void TOptionsDialog::FormShow()
{
    updating_ = true;
    LangNameBox->setText(copy_->Name);
    LeftBorderWidthBox->setText(QString::number(copy_->Gutter));
    RightMarginWidthBox->setText(QString::number(copy_->RightMargin));
    FEditor->SetOptionWord(copy_->Options);
    FEditor->SetText(copy_->ExampleText.toLatin1().toStdString());

    SynElementsBox->clear();
    for (int n = 1; n <= TSM_Settings::EditableStyleCount; ++n) {
        const TSM_EditableStyle& entry = copy_->GetEditableStyle(n);
        if (entry.Name.isEmpty())
            break;
        auto* item = new QListWidgetItem(entry.Name, SynElementsBox);
        item->setData(Qt::UserRole, int(entry.Style));
    }
    for (auto [name, value] : {std::pair{"Selected text", SelectedTextElement}, std::pair{"Left margin", LeftMarginElement},
                               std::pair{"Gutter", GutterElement}}) {
        auto* item = new QListWidgetItem(QLatin1String(name), SynElementsBox);
        item->setData(Qt::UserRole, value);
    }

    const std::uint32_t word = FEditor->OptionWord();
    for (QCheckBox* box : OptionBoxes)
        box->setChecked(word & box->property("Tag").toUInt());
    UpdateTabColBox();
    OptionBox("CursorAfterEOLBox")->setEnabled(true);

    IndentStepBox->setText(QString::number(FEditor->IndentStep()));
    WrapColumnBox->setText(QString::number(FEditor->WrapAtColumn()));
    TabColumnsBox->setText(FEditor->TabColumns());
    DeftabBox->setText(QString::number(FEditor->TabDefault()));

    SynElementsBox->setCurrentRow(0);
    updating_ = false;
    ElementSelected();

    updating_ = true;
    FillCharsets();
    updating_ = false;

    FillCommands();
    FillAutoReplace();
    FillTemplates();

    // The pages of the set; the first of Highlighting, Options, Keys, Auto Correct, Templates shows.
    const std::pair<TPropEdPage, QWidget*> order[] = {{ppHIGHLIGHTING, HighlightingPage}, {ppOPTIONS, OptionsPage},
                                                      {ppKEYS, KeysPage}, {ppAUTOCORRECT, AutoCorrectPage},
                                                      {ppTEMPLATES, TemplatesPage}};
    for (auto [page, widget] : order)
        if (!(pages_ & (1u << page)))
            PageControl->removeTab(PageControl->indexOf(widget));
    for (auto [page, widget] : order)
        if (pages_ & (1u << page)) {
            PageControl->setCurrentWidget(widget);
            break;
        }
}

void TOptionsDialog::OkClick()
{
    if (RebuildKeyMap())
        done(mrOk);
}

bool TOptionsDialog::eventFilter(QObject* Watched, QEvent* Event)
{
    bool swallowed = false;
    RunGuarded([&] { swallowed = FilterEvent(Watched, Event); });
    return swallowed || TForm::eventFilter(Watched, Event);
}
