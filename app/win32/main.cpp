// Vellumino for Windows: one window, no console.
#include <windows.h>

#include "form1.h"

namespace {

// Before anything can load a library: DLLs that the system's own libraries
// load later must come from the system directory, never from the folder the
// program was started from, which is usually Downloads. Windows 7 has this
// call only with update KB2533623, hence the look-up.
void LoadLibrariesFromSystemOnly()
{
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault)
        setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    LoadLibrariesFromSystemOnly();
    return vellumino::win32::Form1::Run(instance, show);
}
