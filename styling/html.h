// Text the build writes into its HTML pages (the signature page, the web
// window's controls), escaped once for both.
#pragma once

#include <string>
#include <string_view>

namespace vellumino {

// Good in element content and in an attribute quoted with either quote: a
// signature or a caption is shown as written, never read as markup.
std::string EscapeHtml(std::string_view text);

}  // namespace vellumino
