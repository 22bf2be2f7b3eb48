#include "form1.h"

#include <utility>

#include "caption.h"
#include "dpi.h"
#include "field_menu.h"
#include "hand_cursor.h"
#include "picture.h"
#include "signature_edit.h"
#include "skin.h"
#include "zone_button.h"
#include "zone_table.h"

namespace vellumino::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"Vellumino.Form1";

constexpr int kText1Id = 100;
constexpr int kFirstZoneId = 200;
constexpr UINT kFirstMenuCommandId = 0x1000;

#ifndef WM_DPICHANGED
constexpr UINT WM_DPICHANGED = 0x02E0;
#endif
#ifndef WM_GETDPISCALEDSIZE
constexpr UINT WM_GETDPISCALEDSIZE = 0x02E4;
#endif

bool HighContrastOn()
{
    HIGHCONTRASTW contrast{};
    contrast.cbSize = sizeof(contrast);
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF ToColorRef(skin::Colour colour)
{
    return RGB(colour.red, colour.green, colour.blue);
}

// A NUL-terminated wide string for the W calls; wchar_t is UTF-16 here.
const wchar_t* Wide(const SignatureText& text)
{
    static_assert(sizeof(wchar_t) == sizeof(char16_t));
    return reinterpret_cast<const wchar_t*>(text.c_str());
}

Form1* FormOf(HWND window)
{
    return reinterpret_cast<Form1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

bool RegisterFormClass(HINSTANCE instance)
{
    WNDCLASSEXW form{};
    form.cbSize = sizeof(form);
    form.lpfnWndProc = &Form1::WindowProcFor;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
    form.lpszClassName = kFormClass;
    // The program file's own icon, at the sizes the shell asks for.
    form.hIcon =
        static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                      GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
    form.hIconSm =
        static_cast<HICON>(LoadImageW(instance, L"IDI_ICON1", IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                      GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
    // No background brush: the paint covers the whole client area, so nothing
    // is erased first and nothing flickers.
    return RegisterClassExW(&form) != 0;
}

}  // namespace

LRESULT CALLBACK Form1::WindowProcFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    if (Form1* form = FormOf(window))
        return form->HandleMessage(message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

int Form1::Run(HINSTANCE instance, int show)
{
    if (!RegisterFormClass(instance))
        return 1;
    Form1 form(instance);
    constexpr DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!CreateWindowExW(0, kFormClass, L"Vellumino", style, CW_USEDEFAULT, CW_USEDEFAULT,
                         layout::kClientWidth, layout::kClientHeight, nullptr, nullptr, instance, &form))
        return 1;

    // Sized for the monitor it opened on, with its client area (not its
    // frame) centred in that monitor's work area, as the Linux window is.
    const LONG width = Scale(layout::kClientWidth, form.dpi_);
    const LONG height = Scale(layout::kClientHeight, form.dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(form.hwnd_, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG left = work.left + (work.right - work.left - width) / 2;
    const LONG top = work.top + (work.bottom - work.top - height) / 2;
    RECT frame = FrameAround({left, top, left + width, top + height}, style, 0, form.dpi_);
    // On a screen too small for the window, the title bar stays in reach.
    if (frame.top < work.top)
        OffsetRect(&frame, 0, work.top - frame.top);
    if (frame.left < work.left)
        OffsetRect(&frame, work.left - frame.left, 0);
    SetWindowPos(form.hwnd_, nullptr, frame.left, frame.top, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(form.hwnd_, show);
    UpdateWindow(form.hwnd_);
    SetFocus(form.Text1);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

Form1::~Form1()
{
    if (pictureDC_) {
        SelectObject(pictureDC_, pictureDefault_);
        DeleteDC(pictureDC_);
    }
    if (picture_)
        DeleteObject(picture_);
    if (font_)
        DeleteObject(font_);
    if (fieldBrush_)
        DeleteObject(fieldBrush_);
    ReplaceHand(nullptr);
}

void Form1::ReplaceHand(HCURSOR hand)
{
    // The old hand may be on screen (the pointer resting on the link as the
    // window moves to a monitor of another DPI), and a cursor in use must not
    // be destroyed: the new one, or the arrow, takes its place first.
    const HCURSOR old = std::exchange(hand_, hand);
    if (!old)
        return;
    if (GetCursor() == old)
        SetCursor(hand ? hand : LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // IDC_ARROW
    DestroyCursor(old);
}

LRESULT Form1::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
        case WM_CREATE:
            return OnCreate() ? 0 : -1;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_DRAWITEM:
            OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam), LOWORD(lParam)))
                return TRUE;
            break;
        case WM_MENUSELECT:
            OnMenuSelect(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HMENU>(lParam));
            return 0;
        case WM_CONTEXTMENU:
            if (OnContextMenu(reinterpret_cast<HWND>(wParam),
                              {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
                return 0;
            // The system's own: the window menu of a right-click in the
            // title bar comes from DefWindowProc alone.
            break;
        case WM_SETFOCUS:
            // The field is the only control that takes the keyboard.
            SetFocus(Text1);
            return 0;
        case WM_CTLCOLOREDIT:
            if (!highContrast_)
                return OnFieldColours(reinterpret_cast<HDC>(wParam));
            break;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_GETDPISCALEDSIZE: {
            auto* size = reinterpret_cast<SIZE*>(lParam);
            *size = SizeAtDpi(*size, static_cast<UINT>(wParam));
            return TRUE;
        }
        case WM_SETTINGCHANGE:
            OnSettingChange(static_cast<UINT>(wParam));
            break;
        case WM_SYSCOLORCHANGE:
            RedrawAll();
            break;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

bool Form1::OnCreate()
{
    // Created in tab order; the rectangles come with ApplyDpi.
    const SignatureText initial(skin::kInitialSignature);
    Text1 = CreateWindowExW(0, L"EDIT", Wide(initial),
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0, 0, 0, 0, hwnd_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kText1Id)), instance_, nullptr);
    Label1 = CreateCaption(hwnd_, instance_);
    Label2 = CreateCaption(hwnd_, instance_);
    if (!Text1 || !Label1 || !Label2)
        return false;
    HoldToInputLimit(Text1);
    highContrast_ = HighContrastOn();
    fieldBrush_ = CreateSolidBrush(ToColorRef(skin::kFieldBackground));

    for (std::size_t i = 0; i < layout::kZones.size(); ++i) {
        zones_[i] = CreateZoneButton(hwnd_, instance_, layout::kZones[i], kFirstZoneId + static_cast<int>(i));
        if (!zones_[i])
            return false;
        DescribeZone(zones_[i], ZoneMenuHint(layout::kZones[i].id));
    }

    pictureDC_ = CreateCompatibleDC(nullptr);
    if (!pictureDC_)
        return false;
    ApplyDpi(DpiOf(hwnd_));
    return true;
}

void Form1::ApplyDpi(UINT dpi)
{
    dpi_ = dpi;

    // Above 96 DPI the picture painted at twice the size, filtered down, is
    // sharp; the 1x picture stretched up would blur every painted label.
    const SIZE size{Scale(layout::kPictureWidth, dpi), Scale(layout::kPictureHeight, dpi)};
    HBITMAP picture =
        LoadPicture(instance_, dpi > kBaseDpi ? L"BACKGROUND_2X" : L"BACKGROUND", size.cx, size.cy);
    if (picture) {
        HGDIOBJ previous = SelectObject(pictureDC_, picture);
        if (!picture_)
            pictureDefault_ = previous;
        else
            DeleteObject(picture_);
        picture_ = picture;
        pictureSize_ = size;
    }

    HFONT font = CreateMessageFont(dpi);
    for (HWND control : {Text1, Label1, Label2})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    if (font_)
        DeleteObject(font_);
    font_ = font;
    // Two pixels at each side, as the frameless field has on Linux.
    SendMessageW(Text1, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                 MAKELONG(Scale(2, dpi), Scale(2, dpi)));

    if (HCURSOR hand = CreateHandCursor(PointerSize(dpi)))
        ReplaceHand(hand);

    Place(Text1, layout::kText1);
    Place(Label1, layout::kLabel1);
    Place(Label2, layout::kLabel2);
    for (std::size_t i = 0; i < layout::kZones.size(); ++i)
        Place(zones_[i], layout::kZones[i].rect);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void Form1::Place(HWND control, const layout::Rect& rect) const
{
    const RECT at = Scale(rect.x, rect.y, rect.width, rect.height, dpi_);
    SetWindowPos(control, nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT Form1::PictureOrigin(const layout::Rect& rect) const
{
    // The picture is pinned to the client area's top-left, so this is where
    // Place put the control.
    return {Scale(rect.x, dpi_), Scale(rect.y, dpi_)};
}

const layout::Zone* Form1::ZoneOf(HWND control) const
{
    for (std::size_t i = 0; i < zones_.size(); ++i) {
        if (control && zones_[i] == control)
            return &layout::kZones[i];
    }
    return nullptr;
}

void Form1::OnPaint()
{
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(hwnd_, &paint);
    RECT client;
    GetClientRect(hwnd_, &client);
    // The picture, pinned top-left at its own size; button face beyond it.
    const LONG width = picture_ ? pictureSize_.cx : 0;
    const LONG height = picture_ ? pictureSize_.cy : 0;
    if (picture_)
        BitBlt(screen, 0, 0, width, height, pictureDC_, 0, 0, SRCCOPY);
    const RECT right{width, 0, client.right, client.bottom};
    const RECT below{0, height, width, client.bottom};
    for (const RECT& beyond : {right, below}) {
        if (beyond.right > beyond.left && beyond.bottom > beyond.top)
            FillRect(screen, &beyond, GetSysColorBrush(COLOR_BTNFACE));
    }
    EndPaint(hwnd_, &paint);
}

void Form1::OnCommand(int id, int code)
{
    if (id == kText1Id && code == EN_CHANGE) {
        model_.Text1_Change();
        return;
    }
    const int zone = id - kFirstZoneId;
    if (code == BN_CLICKED && zone >= 0 && zone < static_cast<int>(layout::kZones.size()))
        model_.zoneClicked(layout::kZones[static_cast<std::size_t>(zone)].id);
}

void Form1::OnDrawItem(const DRAWITEMSTRUCT& item)
{
    HDC picture = picture_ ? pictureDC_ : nullptr;
    if (item.hwndItem == Label1 || item.hwndItem == Label2) {
        const bool chat = item.hwndItem == Label1;
        PaintCaption(item,
                     {picture, PictureOrigin(chat ? layout::kLabel1 : layout::kLabel2),
                      ToColorRef(chat ? skin::kChatCaption : skin::kCardCaption), font_, highContrast_});
    } else if (const layout::Zone* zone = ZoneOf(item.hwndItem)) {
        PaintZoneButton(item, picture, PictureOrigin(zone->rect));
    }
}

bool Form1::OnSetCursor(HWND over, int hitTest)
{
    const layout::Zone* zone = ZoneOf(over);
    if (!zone || !ShowsHandCursor(zone->id) || hitTest != HTCLIENT || !hand_)
        return false;
    SetCursor(hand_);
    return true;
}

bool Form1::OnContextMenu(HWND over, POINT at)
{
    const auto commands = MenuCommands();
    HMENU menu = nullptr;
    if (over == Text1) {
        menu = CreateFieldMenu(Text1, commands, kFirstMenuCommandId);
    } else if (const layout::Zone* zone = ZoneOf(over)) {
        // A button offers its menu, where it has one.
        for (const MenuCommand& command : ZoneMenu(zone->id)) {
            if (!menu)
                menu = CreatePopupMenu();
            AppendMenuCommand(menu, command,
                              kFirstMenuCommandId + static_cast<UINT>(&command - commands.data()));
        }
    }
    if (!menu)
        return false;
    if (at.x == -1 && at.y == -1) {
        // From the keyboard: under the control rather than at the pointer.
        RECT rect;
        GetWindowRect(over, &rect);
        at = {rect.left, rect.bottom};
    }
    // Without TPM_NONOTIFY, so that WM_MENUSELECT tells which entry to
    // preview; TPM_RETURNCMD still keeps the choice from coming as WM_COMMAND.
    const auto chosen = static_cast<UINT>(
        TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr));
    DestroyMenu(menu);
    model_.previewEnded();
    if (const MenuCommand* command = chosen >= kFirstMenuCommandId ? MenuCommandAt(chosen - kFirstMenuCommandId)
                                                                    : nullptr)
        model_.menuCommandChosen(*command);
    else if (chosen != 0)
        RunStandardEntry(Text1, chosen);
    return true;
}

void Form1::OnMenuSelect(UINT item, UINT flags, HMENU menu)
{
    // The highlight moved, by the pointer or the arrow keys; 0xFFFF with no
    // menu: the menu closed.
    const bool entry = !(flags == 0xFFFF && !menu) && !(flags & (MF_POPUP | MF_SEPARATOR)) &&
                       item >= kFirstMenuCommandId;
    if (const MenuCommand* command = entry ? MenuCommandAt(item - kFirstMenuCommandId) : nullptr)
        model_.menuCommandPreviewed(*command);
    else
        model_.previewEnded();
}

void Form1::OnDpiChanged(UINT dpi, const RECT& suggested)
{
    ApplyDpi(dpi);
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Moving a child does not repaint it: the captions would keep the
    // pixels of the old scale until their text next changed.
    RedrawAll();
}

SIZE Form1::SizeAtDpi(SIZE pending, UINT dpi) const
{
    // The client area of the size the window is about to take, scaled, in a
    // frame measured at the new DPI rather than stretched with it.
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE));
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE));
    const SIZE frame = WindowSizeFor(0, 0, style, exStyle, dpi_);
    const auto scaled = [&](LONG window, LONG border) {
        return MulDiv(window - border, static_cast<int>(dpi), static_cast<int>(dpi_));
    };
    return WindowSizeFor(scaled(pending.cx, frame.cx), scaled(pending.cy, frame.cy), style, exStyle, dpi);
}

void Form1::OnSettingChange(UINT what)
{
    switch (what) {
        case SPI_SETHIGHCONTRAST:
            highContrast_ = HighContrastOn();
            RedrawAll();
            break;
        case SPI_SETNONCLIENTMETRICS:  // the message font's face
        case SPI_SETCURSORS:           // the pointer's size
            ApplyDpi(dpi_);
            RedrawAll();
            break;
        default:
            break;
    }
}

LRESULT Form1::OnFieldColours(HDC dc) const
{
    SetTextColor(dc, ToColorRef(skin::kFieldText));
    SetBkColor(dc, ToColorRef(skin::kFieldBackground));
    return reinterpret_cast<LRESULT>(fieldBrush_ ? fieldBrush_ : GetStockObject(WHITE_BRUSH));
}

void Form1::RedrawAll() const
{
    RedrawWindow(hwnd_, nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_ERASE);
}

SignatureText Form1::fieldText() const
{
    SignatureText text(static_cast<std::size_t>(GetWindowTextLengthW(Text1)) + 1, u'\0');
    const int length =
        GetWindowTextW(Text1, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return text;
}

void Form1::replaceFieldText(SignatureView view)
{
    // Select all and replace, as an edit the user can undo, rather than
    // WM_SETTEXT, which would empty the undo buffer.
    const SignatureText text(view);
    // The EDIT grows its last undo record when an edit starts where that
    // record ends: after 清空, or a Delete at the start, undoing the command
    // would also undo the step before it. The EDIT keeps one step only, so a
    // fresh record loses nothing and keeps the command one step.
    SendMessageW(Text1, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(Text1, EM_SETSEL, 0, -1);
    SendMessageW(Text1, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text)));
}

void Form1::showCaption(Caption caption, SignatureView text, bool announce)
{
    ShowCaption(caption == Caption::Label1 ? Label1 : Label2, text, announce);
}

std::uintptr_t Form1::nativeHandle()
{
    return reinterpret_cast<std::uintptr_t>(hwnd_);
}

}  // namespace vellumino::win32
