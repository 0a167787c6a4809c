// The sizes in which transfers move their data.
#pragma once

// Bytes read from a data connection at a time.
constexpr int FtpReceiveBufferSize = 256 * 1024;
// Bytes read from the local file and handed to the data socket at a time; the next chunk follows
// once the socket's queue has drained.
constexpr int FtpSendChunkSize = 256 * 1024;
