// Start-up work of drag and drop: called once from main and from the test main.
#pragma once

// Starts OLE on the GUI thread for the drop targets and sources and declares the formats of drag
// and drop, which are withdrawn when the application goes.
void initDragdrop();
