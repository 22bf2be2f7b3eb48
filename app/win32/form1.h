// The program's one window on Windows: the painted mock-up, the field, the
// two preview captions and the seven click zones laid exactly over their
// painted buttons. One window procedure; each message has a small handler.
#pragma once

#include <windows.h>

#include <array>

#include "layout.h"
#include "signature_window.h"

namespace vellumino::win32 {

class Form1 final : public SignatureWindow {
public:
    // Creates and shows the window, then runs the program until it closes;
    // returns the exit code.
    static int Run(HINSTANCE instance, int show);

    SignatureText signature() const override;
    void writeSignature(SignatureView text) override;
    void setChatPreview(SignatureView text) override;
    void setCardPreview(SignatureView text) override;
    std::uintptr_t nativeHandle() override;

    // The window procedure of the class; it hands each message to the Form1
    // that the window was created for.
    static LRESULT CALLBACK WindowProcFor(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // The picture as shown now, for the controls that paint their slice of it.
    HDC pictureDC() const { return pictureDC_; }
    // Whether the system's high-contrast colours replace the skin's.
    bool highContrast() const { return highContrast_; }

private:
    explicit Form1(HINSTANCE instance) : instance_(instance) {}
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool OnCreate();
    void OnPaint();
    void OnCommand(int id, int code);
    void OnDrawItem(const DRAWITEMSTRUCT& item);
    bool OnSetCursor(HWND over, int hitTest);
    void OnContextMenu(HWND over, POINT at);
    void OnDpiChanged(UINT dpi, const RECT& suggested);
    SIZE SizeAtDpi(SIZE pending, UINT dpi) const;
    void OnSettingChange(UINT what);
    LRESULT OnFieldColours(HDC dc) const;
    void RedrawAll() const;
    void Text1_Change();

    // Everything that depends on the monitor's DPI: picture, font, cursor
    // and every control's rectangle.
    void ApplyDpi(UINT dpi);
    void Place(HWND control, const layout::Rect& rect) const;

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
    HCURSOR hand_ = nullptr;
};

}  // namespace vellumino::win32
