// The two preview captions. Each is a real static text control (class
// "Static", owner-drawn, no prefix characters), so the system's accessibility
// proxy hands screen readers the static-text role with the caption's text
// as its name; its owner paints it onto the picture.
#pragma once

#include <windows.h>

#include "signature_text.h"

namespace vellumino::win32 {

// What a caption is painted with, handed over by its owner at each paint.
struct CaptionLook {
    HDC picture = nullptr;  // the picture as shown now (a memory DC); null for none
    POINT origin{};         // where the caption's top-left corner stands in the picture
    COLORREF colour = 0;    // the skin's colour for this caption
    HFONT font = nullptr;
    bool highContrast = false;  // the system's colours replace the skin's and the picture
};

HWND CreateCaption(HWND parent, HINSTANCE instance);

// Shows `text` and tells screen readers the caption's name changed. With
// `announce`, the text is a message of the program's own (rather than the
// signature the user is typing and hears already): the caption becomes a
// polite live region and the change is read out without moving the focus.
void ShowCaption(HWND caption, SignatureView text, bool announce);

// Gives `control` an accessible description for screen readers. Only where
// one runs: the annotation service costs more to load than the window does.
void DescribeForScreenReaders(HWND control, const wchar_t* description);

// The caption's text printed straight onto the picture, from the top-left,
// wrapped within its width, clipped at its edges, and always literal (an
// ampersand is an ampersand).
void PaintCaption(const DRAWITEMSTRUCT& item, const CaptionLook& look);

}  // namespace vellumino::win32
