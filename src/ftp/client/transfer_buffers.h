// The sizes in which transfers move their data.
#pragma once

// Bytes read from a data connection at a time.
constexpr int FtpReceiveBufferSize = 256 * 1024;
// Bytes read from the local file and handed to the data socket at a time; chunks follow one
// another until the socket has to queue one.
constexpr int FtpSendChunkSize = 256 * 1024;
