// Class references of the format classes: one record per class, naming the class and its parent
// and telling how to make an instance of it. "Is this class or a descendant of it" walks the
// parents. Records are constants, so they are ready before any code runs.
#pragma once

template <class Base, class... CreateArgs>
struct TFormatClass {
    const char* Name;
    const TFormatClass* Parent;
    // Makes an instance: the class's parameterless virtual constructor. Null for abstract classes.
    Base* (*Create)(CreateArgs...);

    bool InheritsFrom(const TFormatClass& Other) const
    {
        for (const TFormatClass* c = this; c; c = c->Parent)
            if (c == &Other)
                return true;
        return false;
    }
};
