// What the output actions may touch of the window. Kept small and free of any
// toolkit, so every front-end runs the same actions and the actions can be
// exercised against a fake.
#pragma once

#include <cstdint>

#include "signature_text.h"

namespace vellumino {

class SignatureWindow {
public:
    virtual ~SignatureWindow() = default;

    virtual SignatureText signature() const = 0;
    // Replaces the whole signature as one undoable edit and refreshes both
    // previews, even when the text is unchanged.
    virtual void writeSignature(SignatureView text) = 0;
    virtual void setChatPreview(SignatureView text) = 0;
    virtual void setCardPreview(SignatureView text) = 0;
    // The window's native handle (an HWND on Windows, an X11 window id on
    // Linux), for services that want an owner.
    virtual std::uintptr_t nativeHandle() = 0;

protected:
    SignatureWindow() = default;
    SignatureWindow(const SignatureWindow&) = default;
    SignatureWindow& operator=(const SignatureWindow&) = default;
};

}  // namespace vellumino
