// Simplified-to-traditional mapping and back, one code unit out for each code
// unit in.
// No Qt here: the styling library links this and nothing else of platform/.
#pragma once

#include <string>
#include <string_view>

namespace vellumino::platform {

std::u16string MapToTraditional(std::u16string_view text);
std::u16string MapToSimplified(std::u16string_view text);

}  // namespace vellumino::platform
