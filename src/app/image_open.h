// TImageOpen: a downloaded picture waiting to be shown in the image viewer.
#pragma once

#include <QString>

struct TImageOpen {
    QString LocalFile;
    QString RemotePath;
    // The picture came from the server.
    bool IsRemote = false;
};
