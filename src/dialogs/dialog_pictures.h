// The dialogs' own pictures as image lists.
#pragma once

class TImageList;

// The two cells of the permission grid: 0 unchecked, 1 checked (16 x 16).
TImageList& PermissionCellImages();
// The pictures an HTML label offers its texts as "idx:0" ...: 0 the note (16 x 16).
TImageList& LabelImages();
