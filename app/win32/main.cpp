// Vellumino for Windows: one window, no console.
#include <windows.h>

#include "form1.h"
#include "system_library_win.h"

namespace {

// Where libraries come from, decided before anything can load one.
//
// People start the program from their Downloads folder, where a web page
// can leave a DLL named like a system one; the standard search order looks
// in the program's folder before the system directory, so such a DLL would
// be loaded in place of the real one. Against that:
// - the program's own run-time look-ups name the system directory on every
//   call (platform::SystemLibrary), whatever the process's search order;
// - from Windows 10 on, the image-load policy PreferSystem32Images makes the
//   loader search System32 before the program's folder for every library,
//   the system's own delay-loaded ones included; a library whose name is
//   not a system one is still found where it was found before;
// - SetDllDirectory(L"") takes the current directory out of the search,
//   here and in the browser the link starts, which loses nothing by it.
// The core system libraries are KnownDLLs, never searched for at all.
//
// Not SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32), though it
// would shut out the program's folder everywhere: it applies to every
// library loaded into the process, and to the dependencies of those loaded
// by full path, for the process's whole life. The system loads a
// third-party input method (Sogou, QQ Pinyin, Baidu) into every program
// that takes text, and such a module finds its own libraries through its
// folder, PATH or its own SetDllDirectory, which that search path drops.
// Chinese typing would then fail in this program alone.
void HardenLibrarySearch()
{
    SetDllDirectoryW(L"");

    // PROCESS_MITIGATION_IMAGE_LOAD_POLICY, which Windows 7's headers lack.
    struct ImageLoadPolicy {
        DWORD flags;
    };
    constexpr DWORD kPreferSystem32Images = 1u << 2;
    constexpr int kProcessImageLoadPolicy = 10;  // in PROCESS_MITIGATION_POLICY
    using SetProcessMitigationPolicyFn = BOOL(WINAPI*)(int, void*, SIZE_T);
    // Windows 8 has the call without this policy, and refuses it harmlessly.
    if (const auto setPolicy = vellumino::platform::SystemFunction<SetProcessMitigationPolicyFn>(
            L"kernel32.dll", "SetProcessMitigationPolicy")) {
        ImageLoadPolicy policy{kPreferSystem32Images};
        setPolicy(kProcessImageLoadPolicy, &policy, sizeof(policy));
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    HardenLibrarySearch();
    return vellumino::win32::Form1::Run(instance, show);
}
