// Calls that not every Windows from 7 on has, or that live in a library the
// program does not import, looked up at run time: the import table stays
// what a bare Windows 7 can load.
#pragma once

#include <windows.h>

#include <string>

namespace vellumino::win32 {

// `name` from the system library `library`, loaded from the system directory
// only; null where this Windows lacks either.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = GetModuleHandleW(library);
    if (!module)
        module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (!module) {
        // Windows 7 without update KB2533623 knows no search flags; a full
        // path still never looks in the program's own folder.
        wchar_t system[MAX_PATH];
        const UINT length = GetSystemDirectoryW(system, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            module = LoadLibraryW((std::wstring(system, length) + L'\\' + library).c_str());
    }
    // The cast is how GetProcAddress is used.
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
}

}  // namespace vellumino::win32
