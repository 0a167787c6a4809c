// The GIF picture class's place in the picture registry: the "GIF" extension and the "GIF Image"
// clipboard format.
#pragma once

// The number of the "GIF Image" clipboard format.
unsigned GIFClipboardFormat();
// Registers TGIFImage for the extension "GIF" ("GIF Image") and the clipboard format, and sets the
// palette-display flag from the screen. Called once at start-up.
void RegisterGIFPictureFormat();
