// TSM_Base: the base of the editor's data objects (settings, character groups, keyword tables,
// key map, templates, auto-replace list), which copy themselves by writing to a memory stream
// and reading it back.
#pragma once

#include "platform/rtl/object.h"

#include <memory>

class TStream;

class TSM_Base : public TObject {
public:
    // A new object of the same class holding the same data.
    virtual std::unique_ptr<TSM_Base> Clone() const;
    // Takes Source's data when Source is a TSM_Base; anything else raises ESyntaxMemo
    // "Cannot assign a <source class> to <this class>".
    virtual void Assign(const TObject& Source);
    virtual void SaveToStream(TStream&) const {}
    virtual void LoadFromStream(TStream&) {}

protected:
    // An empty object of this object's class.
    virtual std::unique_ptr<TSM_Base> NewInstance() const = 0;

private:
    void CopyFrom(const TSM_Base& Source);
};
