// Vellumino for Windows: one window, no console.
#include <windows.h>

#include "form1.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show)
{
    return vellumino::win32::Form1::Run(instance, show);
}
