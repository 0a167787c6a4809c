// TPersistent: the base of objects that can be copied from one another with Assign.
#pragma once

#include "platform/rtl/object.h"

class TPersistent : public TObject {
public:
    // Copies Source into this object: Source is asked to assign itself to this object; a pair of
    // classes that cannot be copied fails with EConvertError "Cannot assign a <source> to a <target>".
    virtual void Assign(TPersistent* Source);

protected:
    // Copies this object into Dest; the base fails as Assign says.
    virtual void AssignTo(TPersistent* Dest);
    [[noreturn]] void AssignError(TPersistent* Source);
};
