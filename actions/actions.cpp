#include "actions.h"

#include "desktop.h"
#include "signature_window.h"

namespace vellumino {

void CopySignature(SignatureWindow& window)
{
    const bool copied = platform::CopyToClipboard(window.nativeHandle(), window.signature());
    window.setCardPreview(copied ? kCopyConfirmation : kCopyFailed);
}

void ClearSignature(SignatureWindow& window)
{
    // The write blanks both captions, and the copy confirmation with them.
    window.writeSignature({});
}

void OpenSignaturePage(SignatureWindow& window)
{
    // The page that ships with the program, never anything from the field.
    platform::ShowSignaturePage(window.nativeHandle());
}

}  // namespace vellumino
