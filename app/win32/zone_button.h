// A click zone: a real push button laid over its painted button, so that a
// screen reader finds it under its painted label and can press it. It draws
// nothing of its own and never takes the focus from the field.
#pragma once

#include <windows.h>

#include "layout.h"
#include "signature_text.h"

namespace vellumino::win32 {

// Creates the zone's button as child `id` of `parent`, named after the label
// painted under it. Left clicks come to the parent as BN_CLICKED, every click
// of a double-click counting; right clicks as WM_CONTEXTMENU from the button.
HWND CreateZoneButton(HWND parent, HINSTANCE instance, const layout::Zone& zone, int id);

// Says what the zone's menu holds, since nobody guesses a right-click: a
// tooltip while the pointer rests on it, and an accessible description.
// `hint` must outlive the zone and end in a NUL (a literal's view does).
void DescribeZone(HWND zone, SignatureView hint);

// Paints an owner-drawn zone, pressed or not, as the slice of the picture
// (a memory DC) under it; `origin` is where the zone's top-left corner
// stands in the picture.
void PaintZoneButton(const DRAWITEMSTRUCT& item, HDC picture, POINT origin);

}  // namespace vellumino::win32
