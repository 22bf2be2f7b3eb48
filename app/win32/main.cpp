// Vellumino for Windows: one window, no console.
#include <objbase.h>
#include <windows.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    // The picture decoder is a COM component; the window works without it.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    const int code = vellumino::win32::Form1::Run(instance, show);
    if (SUCCEEDED(com))
        CoUninitialize();
    return code;
}
