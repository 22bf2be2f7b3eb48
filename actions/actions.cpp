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
    window.writeSignature({});
    // The write already blanked both captions; blanking them here as well
    // keeps the clear whole even if the write changed nothing.
    window.setChatPreview({});
    window.setCardPreview({});
}

void OpenSignaturePage(SignatureWindow& window)
{
    // The page that ships with the program, never anything from the field.
    platform::ShowSignaturePage(window.nativeHandle());
}

}  // namespace vellumino
