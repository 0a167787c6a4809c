// TGraphic: files, comparison, change and progress reports.
#include "platform/graphics/graphic.h"

#include "platform/rtl/events.h"

#include <typeinfo>

void TGraphic::SetTransparent(bool Value)
{
    if (Value == transparent_)
        return;
    transparent_ = Value;
    Changed(this);
}

void TGraphic::LoadFromFile(const QString& FileName)
{
    TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(stream);
}

void TGraphic::SaveToFile(const QString& FileName)
{
    TFileStream stream(FileName, fmCreate);
    SaveToStream(stream);
    stream.FlushBuffer();
}

bool TGraphic::Equals(TGraphic* Graphic)
{
    if (Graphic == this)
        return true;
    if (!Graphic || typeid(*Graphic) != typeid(*this) || Empty() != Graphic->Empty())
        return false;
    if (Empty())
        return true;
    TMemoryStream mine, theirs;
    SaveToStream(mine);
    Graphic->SaveToStream(theirs);
    return mine.Size() == theirs.Size() &&
           std::equal(mine.Memory(), mine.Memory() + mine.Size(), theirs.Memory());
}

void TGraphic::Changed(TObject*)
{
    modified_ = true;
    Fire(OnChange, this);
}

void TGraphic::Progress(TObject* Sender, TProgressStage Stage, uint8_t PercentDone, bool RedrawNow,
                        const QRect& R, const QString& Msg)
{
    Fire(OnProgress, Sender, Stage, PercentDone, RedrawNow, R, Msg);
}
