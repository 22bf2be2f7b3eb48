// Windows: the shell opens the address with the user's default browser,
// owned by the program's window.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
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
