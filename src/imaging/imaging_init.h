// Start-up work of the picture codecs: called once from main and from the test main.
#pragma once

void initImaging();
