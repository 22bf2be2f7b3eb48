// What the output actions may touch of the window. Kept small so the actions
// can be exercised against a fake, and the window stays a thin shell.
#pragma once

#include <QtGui/qwindowdefs.h>
#include <QString>

namespace vellumino {

class SignatureWindow {
public:
    virtual ~SignatureWindow() = default;

    virtual QString signature() const = 0;
    // Replaces the whole signature as one undoable edit and refreshes both
    // previews, even when the text is unchanged.
    virtual void writeSignature(const QString& text) = 0;
    virtual void setChatPreview(const QString& text) = 0;
    virtual void setCardPreview(const QString& text) = 0;
    virtual WId nativeHandle() = 0;

protected:
    SignatureWindow() = default;
    SignatureWindow(const SignatureWindow&) = default;
    SignatureWindow& operator=(const SignatureWindow&) = default;
};

}  // namespace vellumino
