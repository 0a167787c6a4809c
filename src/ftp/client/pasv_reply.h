// The data port of a 227 reply to PASV.
#pragma once

#include <QString>
#include <optional>

// "227 Entering Passive Mode (h1,h2,h3,h4,p1,p2)": the port p1 * 256 + p2. The reply must hold
// six numbers from 0 to 255 between the first "(" and the next ")", blanks allowed around each;
// otherwise, or for port 0, there is none. The four address numbers are not used: the data
// connection goes to the host the control connection went to.
std::optional<int> PasvReplyPort(const QString& Reply);
