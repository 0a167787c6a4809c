// The class records of the test formats by index.
#include "test_formats.h"

#include <array>
#include <utility>

namespace {

template <std::size_t... I>
constexpr std::array<const TClipboardFormatClass*, sizeof...(I)> Records(std::index_sequence<I...>)
{
    return {&TestFormat<int(I)>::Class...};
}

} // namespace

const TClipboardFormatClass& TestFormatClass(int Index)
{
    static constexpr auto records = Records(std::make_index_sequence<fTestFormatCount>());
    return *records.at(std::size_t(Index));
}
