// The signature page, built from the list of ready-made signatures and the
// page's template. Plain C++ over the text commands, so the build can run it
// on any machine and the tests can call it directly.
#pragma once

#include <string>
#include <string_view>

namespace vellumino::page {

struct BuiltPage {
    std::string html;   // empty when the list or the template is refused
    std::string error;  // why, with the list's line number where there is one
};

// `list` holds one signature a line under "[名称]" section lines; blank lines
// and lines starting with "#" are skipped. `listName` only names it in errors.
// Every signature is shown with what each picture button makes of it.
// `copyScript` (platform/copy_the_old_way.js, which the web window's copy
// uses too) goes into the page's script.
BuiltPage BuildPage(std::string_view list, std::string_view listName, std::string_view pageTemplate,
                    std::string_view copyScript);

}  // namespace vellumino::page
