// Windows Sockets for the socket layer: started by the first socket object (or the first look-up
// that needs it) and released when the last socket object is freed.
#pragma once

#include "platform/winsock/winsock.h"

// Starts Windows Sockets 1.1 unless it runs; raises ESocketException when it cannot start.
void WSocketLoadWinsock();
// True while Windows Sockets is started for the socket layer.
bool WSocketWinsockLoaded();
// The start-up data (its version makes the "Winsock version" line). Starts Windows Sockets to read
// it, and releases it again at once when no socket object exists.
win::WSADATA WinsockInfo();

// Counting of socket objects: each constructor adds one and loads; each destructor removes one,
// and the last releases Windows Sockets.
void WSocketAddObject();
void WSocketRemoveObject();
