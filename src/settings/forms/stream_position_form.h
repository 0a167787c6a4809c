// TStreamPositionFrm: the base form of the program's dialogs, which reopen where the user left
// them: their bounds are kept under a registry key (or in a file) of their own.
#pragma once

#include "platform/widgets/form.h"
#include "settings/component_streamer.h"

class TComponentPosition;

// "Software\Tarnwick Software\Halyard FTP 5\Dialogs\<Name>\": the key of a dialog's position.
QString DialogKey(const QString& Name);
// Gives Form the font family "Tahoma" when that font is installed (size and style unchanged).
void UseTahomaWhenInstalled(QWidget& Form);

// Construction follows the font rule and, with a position store, loads the store at once. Just
// before the form is first shown (when the dialog built on it has its designed size and border):
// a stored Width of 1 or more restores the stored Left and Top, and for a sizeable form also the
// stored Width and Height; a stored rectangle that lies on no screen, or no stored Width, centres
// the form on the screen instead. Freeing a form that was shown stores its bounds (the outer frame).
class TStreamPositionFrm : public TForm, public IComponentStreamer {
    Q_OBJECT
public:
    // No position store: only the font rule.
    explicit TStreamPositionFrm(TComponent* AOwner = nullptr);
    // The position kept under the registry key Name (skRegistry) or in the file Name (skFile).
    TStreamPositionFrm(TComponent* AOwner, TStorageKind Kind, const QString& Name);
    ~TStreamPositionFrm() override;

    // The position store; null for a form made without one.
    TComponentPosition* PositionStore() const { return position_; }
    // The component that owns what a dialog makes for itself (its history lists): the form.
    virtual TComponent* AuxiliaryOwner() { return this; }

    // The position store's name and kind ("" and the registry without a store).
    QString GetName() const override;
    void SetName(const QString& Value) override;
    bool GetKind() const override;
    void SetKind(bool IsFile) override;

protected:
    void Loaded() override;

private:
    TComponentPosition* position_ = nullptr;
};
