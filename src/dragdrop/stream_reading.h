// Reading the bytes of an IStream that another program hands over, trusting none of its answers.
#pragma once

#include "platform/ole/stream.h"

#include <QByteArray>
#include <cstdint>
#include <optional>

// The most bytes taken from one stream medium (1 GiB).
constexpr std::int64_t MaxStreamBytes = std::int64_t(1) << 30;

// The size a stream states for itself (Stat); nothing when Stat fails.
std::optional<std::uint64_t> StatedStreamSize(win::IStream* Stream);
// Up to Count bytes of Stream from its start: as many as it gives, since a stream may end before
// the size it stated. Each Read is taken for the count it reports; reading ends when a Read gives
// no bytes. Nothing when Seek or a Read fails.
std::optional<QByteArray> ReadStreamStart(win::IStream* Stream, std::int64_t Count);
