// The data port of a 227 reply to PASV.
#pragma once

#include <QString>
#include <optional>

// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)": the port p1 * 256 + p2. The reply must hold
// six numbers from 0 to 255 separated by commas, blanks allowed around each: between the first "("
// and the ")" after them, or, in a reply without "(", from the first digit after the code on
// ("227 Entering Passive Mode 10,0,0,5,4,1"); otherwise, or for port 0, there is none. The four address numbers are not used: the data
// connection goes to the host the control connection went to.
std::optional<int> PasvReplyPort(const QString& Reply);
