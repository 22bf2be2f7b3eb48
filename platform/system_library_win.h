// Calls that not every Windows from 7 on has, or that live in a library the
// program does not import, looked up at run time: the import table stays
// what a bare Windows 7 can load. Windows only.
#pragma once

#include <windows.h>

#include <string>

namespace vellumino::platform {

// The system library `library` (a file name such as L"ole32.dll"), from the
// system directory only, never from the program's folder or the current one;
// null where this Windows lacks it. Libraries stay loaded for the process's
// life, so the functions taken from them never dangle.
inline HMODULE SystemLibrary(const wchar_t* library)
{
    if (HMODULE loaded = GetModuleHandleW(library))
        return loaded;
    if (HMODULE module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
        return module;
    // Windows 7 without update KB2533623 knows no search flags; a full path
    // still never looks in the program's folder.
    wchar_t system[MAX_PATH];
    const UINT length = GetSystemDirectoryW(system, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return nullptr;
    return LoadLibraryW((std::wstring(system, length) + L'\\' + library).c_str());
}

// `name` from the system library `library`; null where this Windows lacks either.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name)
{
    HMODULE module = SystemLibrary(library);
    // The cast is how GetProcAddress is used.
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

}  // namespace vellumino::platform
