#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "mapping_properties.h"
#include "styling.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    fuzz::CheckMapping(ToTraditional, fuzz::UnitsFromBytes(data, size), fuzz::Targets::IdeographsOnly,
                       fuzz::Sources::IdeographsOnly, fuzz::Context::Phrases);
    return 0;
}
