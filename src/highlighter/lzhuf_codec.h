// The LZH coder: LZSS over a 4096-byte ring (filled with spaces before the data) with matches of 3 to
// 60 bytes, the literals and lengths coded by the adaptive Huffman tree and the match positions by a
// fixed code for their upper six bits; bits most significant first, the last byte padded with zeros.
#pragma once

#include <cstdint>
#include <functional>

// Fills Buffer with up to Capacity bytes and returns how many; 0 at the end of the input.
using ByteSource = std::function<int(std::uint8_t* Buffer, int Capacity)>;
// Takes Count bytes; raises when it cannot.
using ByteSink = std::function<void(const std::uint8_t* Data, int Count)>;

// Codes everything Source gives into Sink; returns the number of coded bytes.
std::int64_t LzhufEncode(const ByteSource& Source, const ByteSink& Sink);

// Decodes from Source into Sink until at least Size bytes are produced (a match is always copied
// whole), or until the coded input has run out: a few zero bytes past its end are taken as padding,
// more mean the input was too short. Returns the number of bytes produced.
std::int64_t LzhufDecode(const ByteSource& Source, std::uint32_t Size, const ByteSink& Sink);
