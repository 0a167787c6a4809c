// TStreamPositionFrm.
#include "settings/forms/stream_position_form.h"

#include "platform/ui/screen.h"
#include "settings/component_position.h"
#include "routines/free_and_nil.h"

#include <QGuiApplication>
#include <QScreen>

QString DialogKey(const QString& Name)
{
    return QStringLiteral("Software\\Tarnwick Software\\Halyard FTP 5\\Dialogs\\") + Name + QLatin1Char('\\');
}

void UseTahomaWhenInstalled(QWidget& Form)
{
    const QString tahoma = QStringLiteral("Tahoma");
    if (!Screen().Fonts().contains(tahoma, Qt::CaseInsensitive))
        return;
    QFont font = Form.font();
    font.setFamily(tahoma);
    Form.setFont(font);
}

TStreamPositionFrm::TStreamPositionFrm(TComponent* AOwner) : TForm(AOwner)
{
    UseTahomaWhenInstalled(*this);
}

TStreamPositionFrm::TStreamPositionFrm(TComponent* AOwner, TStorageKind Kind, const QString& Name)
    : TStreamPositionFrm(AOwner)
{
    position_ = new TComponentPosition(this, Kind, Name);
}

TStreamPositionFrm::~TStreamPositionFrm()
{
    if (position_ && WasShown())
        position_->SetBounds(Left(), Top(), Width(), Height());
    FreeAndNil(position_); // saves the store
}

void TStreamPositionFrm::Loaded()
{
    if (!position_)
        return;
    const QRect stored(position_->Left(), position_->Top(), position_->Width(), position_->Height());
    // A fixed-size form uses only the stored place: its stored height may be anything.
    const QRect area(stored.topLeft(), QSize(std::max(stored.width(), 1), std::max(stored.height(), 1)));
    bool onScreen = false;
    for (const QScreen* screen : QGuiApplication::screens())
        onScreen = onScreen || screen->geometry().intersects(area);
    if (stored.width() < 1 || !onScreen) {
        Position = poScreenCenter;
        return;
    }
    if (BorderStyle() == bsSizeable || BorderStyle() == bsSizeToolWin)
        SetBounds(stored.x(), stored.y(), stored.width(), stored.height());
    else
        SetFramePos(stored.x(), stored.y());
}

QString TStreamPositionFrm::GetName() const
{
    return position_ ? position_->GetName() : QString();
}

void TStreamPositionFrm::SetName(const QString& Value)
{
    if (position_)
        position_->SetName(Value);
}

bool TStreamPositionFrm::GetKind() const
{
    return position_ && position_->GetKind();
}

void TStreamPositionFrm::SetKind(bool IsFile)
{
    if (position_)
        position_->SetKind(IsFile);
}
