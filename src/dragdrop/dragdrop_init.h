// Start-up work of drag and drop: called once from main and from the test main.
#pragma once

// Starts OLE on the GUI thread for the drop targets and sources.
void initDragdrop();
