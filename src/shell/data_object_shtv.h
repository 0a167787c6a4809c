// TDataObject_shtv: the data of a node dragged from the shell tree.
#pragma once

#include "shell/shell_data_object.h"

class TTreeNode;

class TDataObject_shtv final : public TPTShellDataObject {
public:
    // The data of Node's item: its parent node's list with the item's, and its parsing name. Null
    // for a node that is no shell node with a parent node, or when the blocks cannot be made.
    static win::ComPtr<TDataObject_shtv> Create(TTreeNode* Node);

private:
    TDataObject_shtv() = default;
};
