#include "caption.h"

#include <string>

#include "picture.h"

namespace vellumino::win32 {

HWND CreateCaption(HWND parent, HINSTANCE instance)
{
    // SS_NOPREFIX: an ampersand in a signature is shown, and is no access key
    // for a screen reader to announce either.
    return CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_OWNERDRAW | SS_NOPREFIX, 0, 0, 0, 0,
                           parent, nullptr, instance, nullptr);
}

void ShowCaption(HWND caption, SignatureView text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    const SignatureText terminated(text);
    SetWindowTextW(caption, reinterpret_cast<const wchar_t*>(terminated.c_str()));
    InvalidateRect(caption, nullptr, FALSE);
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
        PaintPictureUnder(buffer, area, look.picture, {look.origin.x + client.left, look.origin.y + client.top});

    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(item.hwndItem, text.data(), static_cast<int>(text.size()))));
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
