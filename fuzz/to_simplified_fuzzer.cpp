#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "mapping_properties.h"
#include "styling.h"
#include "chinese_tables.h"

namespace {

// The simplified characters that do not come back from a trip to traditional
// (several of them share one traditional form, or the traditional form is
// left alone); tools/gen-traditional-table.py prints the same list.
constexpr std::u16string_view kNoWayBack = u"侭昵渖稆縆缐苎讬谘钜锺镟馀麹麺";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace vellumino;
    const std::u16string input = fuzz::UnitsFromBytes(data, size);
    fuzz::CheckMapping(ToSimplified, input, fuzz::Targets::IdeographsOnly, fuzz::Sources::IdeographsOnly,
                       fuzz::Context::Phrases);

    // What ToSimplified leaves alone is simplified text, and comes back from
    // traditional but for the characters above, or as another simplified
    // character of its group where a phrase read it as that one (被覆 as 被复),
    // or as the form a phrase wrote where both scripts write it so (复盖 as
    // 覆盖: 覆蓋 there, and 覆 stays).
    const std::u16string simplified = ToSimplified(input);
    const std::u16string traditional = ToTraditional(simplified);
    const std::u16string back = ToSimplified(traditional);
    fuzz::Check(back.size() == simplified.size(), "there and back keeps the length", simplified, back);
    for (std::size_t i = 0; i < simplified.size(); ++i) {
        fuzz::Check(back[i] == simplified[i] || kNoWayBack.find(simplified[i]) != std::u16string_view::npos ||
                        chinese::TraditionalGroup(back[i]) == chinese::TraditionalGroup(simplified[i]) ||
                        (back[i] == traditional[i] && chinese::TraditionalGroup(back[i]) == back[i]),
                    "simplified text comes back from traditional", simplified, back);
    }
    return 0;
}
