// Start-up work of the editor: called once from main and from the test main.
#pragma once

void initEditor();
