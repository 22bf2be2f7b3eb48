#include "zone_button.h"

#include <commctrl.h>

#include <string>

#include "caption.h"
#include "picture.h"

namespace vellumino::win32 {

namespace {

// Set between a left button press on the zone and its release.
constexpr wchar_t kZonePressed[] = L"Vellumino.Pressed";
// The zone's hint (a static string), and whether the tooltip knows it yet.
constexpr wchar_t kZoneHint[] = L"Vellumino.Hint";
constexpr wchar_t kZoneHinted[] = L"Vellumino.Hinted";

const wchar_t* HintOf(HWND zone)
{
    return static_cast<const wchar_t*>(GetPropW(zone, kZoneHint));
}

// One tooltip for the window's zones, made when the pointer first comes to
// one rather than at start-up. The manifest's common controls register its
// class; where they are missing the zones simply have no tooltip.
HWND ZoneTooltip(HWND zone)
{
    static HWND tooltip = nullptr;
    if (!tooltip || !IsWindow(tooltip)) {
        tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(zone),
                                  nullptr, nullptr, nullptr);
        if (!tooltip)
            return nullptr;
        SendMessageW(tooltip, TTM_SETMAXTIPWIDTH, 0, 320);
    }
    if (!GetPropW(zone, kZoneHinted)) {
        TOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;  // what comctl32 5 as well as 6 reads
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = GetParent(zone);
        tool.uId = reinterpret_cast<UINT_PTR>(zone);
        tool.lpszText = const_cast<wchar_t*>(HintOf(zone));
        SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        SetPropW(zone, kZoneHinted, reinterpret_cast<HANDLE>(1));
    }
    return tooltip;
}

// The tooltip sees the zone's mouse messages as it would its own.
void RelayToTooltip(HWND zone, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!HintOf(zone))
        return;
    if (HWND tooltip = ZoneTooltip(zone)) {
        MSG relayed{zone, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        SendMessageW(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
    }
}

// The mouse is handled here rather than by the button's own procedure, which
// would take the focus and keep a right-click to itself.
LRESULT CALLBACK ZoneProc(HWND zone, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(zone, GWLP_USERDATA));
    if (message == WM_MOUSEMOVE || (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK))
        RelayToTooltip(zone, message, wParam, lParam);
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
            RemovePropW(zone, kZoneHint);
            RemovePropW(zone, kZoneHinted);
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

void DescribeZone(HWND zone, SignatureView hint)
{
    if (hint.empty())
        return;
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const auto* text = reinterpret_cast<const wchar_t*>(hint.data());
    SetPropW(zone, kZoneHint, const_cast<wchar_t*>(text));
    DescribeForScreenReaders(zone, text);
}

void PaintZoneButton(const DRAWITEMSTRUCT& item, HDC picture, POINT origin)
{
    PaintPictureUnder(item.hDC, item.rcItem, picture, origin);
}

}  // namespace vellumino::win32
