#include "caption.h"

// For IAccPropServices and its ids; nothing is linked from them: the
// accessibility and COM libraries are looked up when first needed.
#include <initguid.h>
#include <oleacc.h>

#include <string>

#include "picture.h"
#include "system_library_win.h"

namespace vellumino::win32 {

namespace {

// UI Automation's LiveSetting property, which mingw-w64's headers lack.
constexpr GUID kLiveSettingProperty{
    0xc12bcd8e, 0x2a8e, 0x4950, {0x8a, 0xe7, 0x36, 0x25, 0x11, 0x1d, 0x58, 0xeb}};
constexpr LONG kPolite = 1;  // LiveSetting's Polite: read once the reader falls silent
// EVENT_OBJECT_LIVEREGIONCHANGED, new in Windows 8: older screen readers
// ignore it and go by the name change.
constexpr DWORD kLiveRegionChanged = 0x8019;

// The annotation service, started on the first message a caption announces
// rather than at start-up: COM and oleacc cost more to load than the window
// does, and most sessions never need them. Null where this Windows has no
// such service (then a screen reader still hears of the name change).
IAccPropServices* AnnotationService()
{
    static IAccPropServices* const service = []() -> IAccPropServices* {
        using CoInitializeExFn = HRESULT(WINAPI*)(void*, DWORD);
        using CoCreateInstanceFn = HRESULT(WINAPI*)(REFCLSID, IUnknown*, DWORD, REFIID, void**);
        const auto coInitializeEx =
            platform::SystemFunction<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
        const auto coCreateInstance =
            platform::SystemFunction<CoCreateInstanceFn>(L"ole32.dll", "CoCreateInstance");
        if (!coInitializeEx || !coCreateInstance)
            return nullptr;
        // Kept for the process's life, as the annotations it holds are.
        coInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        // The class is registered by oleacc.dll, which COM loads from the path
        // the registry gives, never from the program's folder.
        void* created = nullptr;
        if (FAILED(coCreateInstance(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IAccPropServices, &created)))
            return nullptr;
        return static_cast<IAccPropServices*>(created);
    }();
    return service;
}

void MakeLiveRegion(HWND caption)
{
    // The caption's user data marks it done (or tried): the control itself
    // has no use for it.
    if (GetWindowLongPtrW(caption, GWLP_USERDATA))
        return;
    SetWindowLongPtrW(caption, GWLP_USERDATA, 1);
    if (IAccPropServices* service = AnnotationService()) {
        VARIANT polite{};
        polite.vt = VT_I4;
        polite.lVal = kPolite;
        service->SetHwndProp(caption, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, kLiveSettingProperty,
                             polite);
    }
}

}  // namespace

HWND CreateCaption(HWND parent, HINSTANCE instance)
{
    // SS_NOPREFIX: an ampersand in a signature is shown, and is no access key
    // for a screen reader to announce either.
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOPREFIX, 0, 0, 0, 0,
                           parent, nullptr, instance, nullptr);
}

void ShowCaption(HWND caption, SignatureView text, bool announce)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const SignatureText terminated(text);
    SetWindowTextW(caption, reinterpret_cast<const wchar_t*>(terminated.c_str()));
    InvalidateRect(caption, nullptr, FALSE);
    // A static control raises no events of its own.
    NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, caption, OBJID_CLIENT, CHILDID_SELF);
    if (announce) {
        MakeLiveRegion(caption);
        NotifyWinEvent(kLiveRegionChanged, caption, OBJID_CLIENT, CHILDID_SELF);
    }
}

void DescribeForScreenReaders(HWND control, const wchar_t* description)
{
    BOOL reading = FALSE;
    if (!SystemParametersInfoW(SPI_GETSCREENREADER, 0, &reading, 0) || !reading)
        return;
    if (IAccPropServices* service = AnnotationService())
        service->SetHwndPropStr(control, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF, PROPID_ACC_DESCRIPTION,
                                description);
}

void PaintCaption(const DRAWITEMSTRUCT& item, const CaptionLook& look)
{
    const RECT& client = item.rcItem;
    const int width = client.right - client.left, height = client.bottom - client.top;
    if (width <= 0 || height <= 0)
        return;
    // Drawn off screen first, so the old text never flashes away.
    HDC buffer = CreateCompatibleDC(item.hDC);
    HBITMAP bitmap = CreateCompatibleBitmap(item.hDC, width, height);
    HGDIOBJ oldBitmap = SelectObject(buffer, bitmap);
    const RECT area{0, 0, width, height};
    if (look.highContrast)
        FillRect(buffer, &area, GetSysColorBrush(COLOR_WINDOW));
    else
        PaintPictureUnder(buffer, area, look.picture,
                          {look.origin.x + client.left, look.origin.y + client.top});

    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
    HGDIOBJ oldFont = look.font ? SelectObject(buffer, look.font) : nullptr;
    SetBkMode(buffer, TRANSPARENT);
    SetTextColor(buffer, look.highContrast ? GetSysColor(COLOR_WINDOWTEXT) : look.colour);
    // DT_EDITCONTROL breaks a word too long for a line, as the field would,
    // but it also leaves out a last line that is only partly visible. Laid
    // out one line deeper than the caption, that line is drawn, and the
    // bitmap, exactly the caption's size, clips it at the edge.
    TEXTMETRICW metrics{};
    GetTextMetricsW(buffer, &metrics);
    RECT layout = area;
    layout.bottom += metrics.tmHeight + metrics.tmExternalLeading;
    DrawTextW(buffer, text.c_str(), static_cast<int>(text.size()), &layout,
              DT_LEFT | DT_TOP | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    if (oldFont)
        SelectObject(buffer, oldFont);

    BitBlt(item.hDC, client.left, client.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

}  // namespace vellumino::win32
