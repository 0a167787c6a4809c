// Copying the editor's data objects through a memory stream.
#include "editor/language/sm_base.h"

#include "editor/document/syntax_memo_error.h"

#include "platform/rtl/format.h"
#include "platform/rtl/streams.h"

void TSM_Base::CopyFrom(const TSM_Base& Source)
{
    TMemoryStream stream;
    Source.SaveToStream(stream);
    stream.SetPosition(0);
    LoadFromStream(stream);
}

std::unique_ptr<TSM_Base> TSM_Base::Clone() const
{
    std::unique_ptr<TSM_Base> copy = NewInstance();
    copy->CopyFrom(*this);
    return copy;
}

void TSM_Base::Assign(const TObject& Source)
{
    const auto* source = dynamic_cast<const TSM_Base*>(&Source);
    if (!source)
        throw ESyntaxMemo(
            Format(QStringLiteral("Cannot assign a %s to %s"), {Source.ClassName(), ClassName()}));
    CopyFrom(*source);
}
