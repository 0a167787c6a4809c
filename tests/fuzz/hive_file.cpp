// Fuzz target: the registry file reader takes any bytes without crashing, and whatever it reads
// is written back into a text that reads to the same keys and writes to the same text again.
#include "platform/registry/hive_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    THiveKey root;
    try {
        root = ReadHiveText(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const EHiveFileError&) {
        return 0;
    }
    const QByteArray text = WriteHiveText(root);
    THiveKey again;
    try {
        again = ReadHiveText(text);
    } catch (const EHiveFileError&) {
        std::abort();
    }
    if (!(again == root) || WriteHiveText(again) != text)
        std::abort();
    return 0;
}
