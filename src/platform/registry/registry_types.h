// The Windows names of the registry stand-in: root keys and value types (its result codes are the
// platform's error numbers).
#pragma once

#include "platform/system/error_codes.h"

#include <cstdint>

namespace win {

using DWORD = std::uint32_t;
using LONG = std::int32_t;

struct HKEY__;
using HKEY = HKEY__*;

// The two roots the program opens: the user's own settings (kept in a file) and the machine-wide
// keys (read-only, and empty unless a test seeds them).
inline HKEY const HKEY_CURRENT_USER = reinterpret_cast<HKEY>(std::uintptr_t(0x80000001));
inline HKEY const HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(std::uintptr_t(0x80000002));

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

} // namespace win
