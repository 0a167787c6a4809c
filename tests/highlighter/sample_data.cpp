// Sample inputs for the compressor tests.
#include "sample_data.h"

#include <cstdlib>
#include <random>

QByteArray SampleZeros(int size)
{
    return QByteArray(size, '\0');
}

QByteArray SampleText(int size, unsigned seed)
{
    static const char* const words[] = {
        "<table>", "</td>", "begin", "end;", "while", "return",  "the",  "value",   "class",     "if",
        "else",    "=",     "(x)",   "{",    "}",     "\"str\"", "0x1F", "// note", "procedure", "var"};
    std::mt19937 random(seed);
    QByteArray text;
    text.reserve(size + 32);
    while (text.size() < size) {
        text.append(QByteArray(int(random() % 8), ' '));
        for (int n = 1 + int(random() % 7); n > 0; --n)
            text.append(words[random() % std::size(words)]).append(' ');
        text.append("\r\n");
    }
    text.truncate(size);
    return text;
}

QByteArray SampleRandom(int size, unsigned seed)
{
    std::mt19937 random(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& c : bytes)
        c = char(random());
    return bytes;
}

int RandomCases(int Default)
{
    const char* value = std::getenv("HFTP_RANDOM_CASES");
    return value && *value ? std::atoi(value) : Default;
}
