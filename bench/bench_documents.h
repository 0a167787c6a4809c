// The documents the editor benchmarks work on: lines of 0 to 79 random letters, each ending in
// CR LF, up to a size.
#pragma once

#include <random>
#include <string>

inline std::string BenchDocument(std::size_t Size, unsigned Seed)
{
    std::mt19937 random(Seed);
    std::string text;
    text.reserve(Size + 100);
    while (text.size() < Size) {
        const std::size_t length = random() % 80;
        for (std::size_t i = 0; i < length; ++i)
            text += char('a' + random() % 26);
        text += "\r\n";
    }
    return text;
}
