// TEditPageFrm2: the Font Wizard, which wraps the editor's selection in a FONT tag and in bold,
// italic and underline tags, keeping a history of the font names used.
#pragma once

#include "dialogs/html/html_builders.h"
#include "settings/forms/stream_position_form.h"

class QPushButton;
class TCheckBox;
class TColorFrame;
class TCustomComboBox;
class TEdit;
class TStreamableStrings;

class TEditPageFrm2 : public TStreamPositionFrm {
    Q_OBJECT
public:
    // The font-name history is read from the dialog's key.
    explicit TEditPageFrm2(TComponent* AOwner = nullptr, const QString& Text = {});
    ~TEditPageFrm2() override;

    // Mode 0 wraps Text; Html receives the result when the user confirms (then the history is
    // stored), and is emptied otherwise. Other modes give nothing. True when confirmed in mode 0.
    static bool Execute(int Mode, const QString& Text, QString& Html);

    // The wrapped text, as OK gives it.
    QString ResultHtml() const;
    // Puts a font name not yet in the history at its top and stores the history.
    void RememberFontName();
    TStreamableStrings* History() const { return history_; }

    TCustomComboBox* cbFont;
    TCustomComboBox* cbFontSize;
    TEdit* txtFontColor;
    TColorFrame* fraBg;
    TCheckBox* chkBold;
    TCheckBox* chkItalic;
    TCheckBox* chkUnderline;
    QPushButton* btnOk;
    QPushButton* btnCancel;

private:
    // OK is enabled while a font name, size or colour is given or a style box is ticked.
    void UpdateOk();
    void ColorChosen(const QColor& Color);
    void txtFontColorChange();

    QString text_;
    TStreamableStrings* history_;
};
