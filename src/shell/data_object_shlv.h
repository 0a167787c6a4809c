// TDataObject_shlv: the data of the rows dragged from the shell list.
#pragma once

#include "shell/shell_data_object.h"

class TPTCustomShellList;

class TDataObject_shlv final : public TPTShellDataObject {
public:
    // The data of List's selected rows, in row order: its folder's list with the items', and their
    // parsing names. Null when no row with data is selected, or when the blocks cannot be made.
    static win::ComPtr<TDataObject_shlv> Create(TPTCustomShellList& List);

private:
    TDataObject_shlv() = default;
};
