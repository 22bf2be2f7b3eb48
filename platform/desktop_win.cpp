// Windows: the shell opens the address with the user's default browser,
// owned by the program's window.
#include <windows.h>
// After <windows.h>, which it needs.
#include <shellapi.h>

#include "desktop.h"

namespace vellumino::platform {

void OpenUrl(std::uintptr_t owner, const char* url)
{
    // The result is deliberately unused: a missing browser is not the
    // user's problem to hear about.
    ShellExecuteA(reinterpret_cast<HWND>(owner), "open", url, "", "", SW_SHOW);
}

}  // namespace vellumino::platform
