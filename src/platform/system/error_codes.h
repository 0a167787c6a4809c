// The Windows error numbers the platform's stand-ins report (folder searches, the registry and the
// shell namespace), defined once so that any of their headers may be included together.
#pragma once

#include <cstdint>

namespace win {

constexpr std::int32_t ERROR_SUCCESS = 0;
constexpr std::int32_t ERROR_FILE_NOT_FOUND = 2;
constexpr std::int32_t ERROR_PATH_NOT_FOUND = 3;
constexpr std::int32_t ERROR_ACCESS_DENIED = 5;
constexpr std::int32_t ERROR_NOT_ENOUGH_MEMORY = 8;
constexpr std::int32_t ERROR_NOT_SAME_DEVICE = 17;
constexpr std::int32_t ERROR_NO_MORE_FILES = 18;
constexpr std::int32_t ERROR_INVALID_PARAMETER = 87;
constexpr std::int32_t ERROR_DISK_FULL = 112;
constexpr std::int32_t ERROR_ALREADY_EXISTS = 183;
constexpr std::int32_t ERROR_FILENAME_EXCED_RANGE = 206;
constexpr std::int32_t ERROR_NO_MORE_ITEMS = 259;

} // namespace win
