// FreeAndNil: clears an object variable, then frees the object it held.
#pragma once

// The variable is null before the object's destructor runs, so code reached from that destructor
// never sees a freed object through it. Nothing happens for null.
template <class T> void FreeAndNil(T*& Object)
{
    T* held = Object;
    Object = nullptr;
    delete held;
}
