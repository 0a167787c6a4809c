// Start-up work of the platform layer: called once from main and from the test main.
#pragma once

void initPlatform();
