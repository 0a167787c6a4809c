// Turning host, port and protocol texts into Winsock numbers, with the socket layer's error texts.
#pragma once

#include "platform/winsock/winsock.h"

#include <QString>

// True for four dot-separated decimal numbers up to 255, blanks allowed before and after.
bool WSocketIsDottedIP(const QString& S);
// The address of a dotted address or a host name (blocking look-up; the first address).
win::in_addr WSocketResolveHost(const QString& InAddr);
// The port (network order) of a number or a service name of protocol Proto.
win::u_short WSocketResolvePort(const QString& Port, const QString& Proto);
// The number of a protocol given as a number or a name.
int WSocketResolveProto(const QString& Proto);
