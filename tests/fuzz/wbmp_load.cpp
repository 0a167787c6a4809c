// Fuzz target: a WBMP reader reads any file or reports an error through OnError; what it reads
// stays within the size limit and never fails any other way.
#include "imaging/wbmp.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString path = QDir::tempPath() + QStringLiteral("/fuzz-wbmp-%1.wbmp").arg(getpid());
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    TWBmp reader;
    int errors = 0;
    reader.OnError = [&](TObject*, int error) {
        if (error < -3 || error > -1)
            __builtin_trap();
        ++errors;
    };
    reader.LoadFromFile(path);
    if (errors > 1 || reader.Width() > TWBmp::MaxSize || reader.Height() > TWBmp::MaxSize)
        __builtin_trap();
    if (errors == 0 && reader.FileName != path)
        __builtin_trap();
    QFile::remove(path);
    return 0;
}
