#include "zone_button.h"

#include <string>

#include "picture.h"

namespace vellumino::win32 {

namespace {

// Set between a left button press on the zone and its release.
constexpr wchar_t kZonePressed[] = L"Vellumino.Pressed";

// The mouse is handled here rather than by the button's own procedure, which
// would take the focus and keep a right-click to itself.
LRESULT CALLBACK ZoneProc(HWND zone, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(zone, GWLP_USERDATA));
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // every click of a double-click counts
            SetPropW(zone, kZonePressed, reinterpret_cast<HANDLE>(1));
            SetCapture(zone);
            return 0;
        case WM_LBUTTONUP: {
            const bool pressed = RemovePropW(zone, kZonePressed) != nullptr;
            if (GetCapture() == zone)
                ReleaseCapture();
            RECT client;
            GetClientRect(zone, &client);
            const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            if (pressed && PtInRect(&client, at))
                SendMessageW(GetParent(zone), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(zone), BN_CLICKED),
                             reinterpret_cast<LPARAM>(zone));
            return 0;
        }
        case WM_RBUTTONUP: {
            POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(zone, &at);
            SendMessageW(GetParent(zone), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(zone),
                         MAKELPARAM(at.x, at.y));
            return 0;
        }
        case WM_CAPTURECHANGED:
            RemovePropW(zone, kZonePressed);
            return 0;
        case WM_ERASEBKGND:
            return 1;  // the owner draws all of it
        case WM_NCDESTROY:
            RemovePropW(zone, kZonePressed);
            SetWindowLongPtrW(zone, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
            break;
        default:
            break;
    }
    return CallWindowProcW(original, zone, message, wParam, lParam);
}

std::wstring FromUtf8(std::string_view text)
{
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(
                          CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

HWND CreateZoneButton(HWND parent, HINSTANCE instance, const layout::Zone& zone, int id)
{
    // The button's text is its accessible name; owner drawing keeps it unseen.
    HWND button = CreateWindowExW(0, L"BUTTON", FromUtf8(zone.caption).c_str(),
                                  WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 0, 0, 0, 0, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    if (!button)
        return nullptr;
    SetWindowLongPtrW(button, GWLP_USERDATA, GetWindowLongPtrW(button, GWLP_WNDPROC));
    SetWindowLongPtrW(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ZoneProc));
    return button;
}

void PaintZoneButton(const DRAWITEMSTRUCT& item, HDC picture, POINT origin)
{
    PaintPictureUnder(item.hDC, item.rcItem, picture, origin);
}

}  // namespace vellumino::win32
