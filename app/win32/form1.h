// The program's one window on Windows: the painted mock-up, the field, the
// two preview captions and the seven click zones laid exactly over their
// painted buttons. It builds the controls and turns their messages into
// calls on the window's model, which decides what happens; one window
// procedure, each message with a small handler.
#pragma once

#include <windows.h>

#include <array>

#include "form1_model.h"
#include "layout.h"

namespace vellumino::win32 {

class Form1 final : private Form1View {
public:
    // Creates and shows the window, then runs the program until it closes;
    // returns the exit code.
    static int Run(HINSTANCE instance, int show);

    // The window procedure of the class; it hands each message to the Form1
    // that the window was created for.
    static LRESULT CALLBACK WindowProcFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    explicit Form1(HINSTANCE instance) : instance_(instance) {}
    ~Form1() override;
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    SignatureText fieldText() const override;
    void replaceFieldText(SignatureView text) override;
    void showCaption(Caption caption, SignatureView text, bool announce) override;
    std::uintptr_t nativeHandle() override;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnPaint();
    void OnCommand(int id, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnSetCursor(HWND over, int hitTest);
    // False where no menu of the window's own belongs to `over`.
    bool OnContextMenu(HWND over, POINT at);
    // The captions preview the highlighted entry of an open menu.
    void OnMenuSelect(UINT item, UINT flags, HMENU menu);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    SIZE SizeAtDpi(SIZE pending, UINT dpi) const;
    void OnSettingChange(UINT what);
    LRESULT OnFieldColours(HDC dc) const;
    void RedrawAll() const;

    // Everything that depends on the monitor's DPI: picture, font, cursor
    // and every control's rectangle.
    void ApplyDpi(UINT dpi);
    void Place(HWND control, const layout::Rect& rect) const;
    // Makes `hand` the link's cursor (null: none) and destroys the one before.
    void ReplaceHand(HCURSOR hand);
    // Where a control placed at `rect` stands in the picture as shown now.
    POINT PictureOrigin(const layout::Rect& rect) const;
    // The zone whose button `control` is; null for any other control.
    const layout::Zone* ZoneOf(HWND control) const;

    Form1Model model_{*this};
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    HWND Text1 = nullptr;
    HWND Label1 = nullptr;
    HWND Label2 = nullptr;
    std::array<HWND, layout::kZones.size()> zones_{};

    UINT dpi_ = 96;
    bool highContrast_ = false;
    HDC pictureDC_ = nullptr;
    HBITMAP picture_ = nullptr;
    HGDIOBJ pictureDefault_ = nullptr;
    SIZE pictureSize_{};
    HFONT font_ = nullptr;
    HBRUSH fieldBrush_ = nullptr;
    HCURSOR hand_ = nullptr;
};

}  // namespace vellumino::win32
