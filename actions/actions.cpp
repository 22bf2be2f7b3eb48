#include "actions.h"

#include "desktop.h"
#include "signature_window.h"

namespace vellumino {

void CopySignature(SignatureWindow& window)
{
    const SignatureText signature = window.signature();
    switch (platform::StartCopy(window.nativeHandle(), signature)) {
    case platform::CopyResult::Copied:
        window.setCardPreview(kCopyConfirmation);
        break;
    case platform::CopyResult::Failed:
        window.setCardPreview(kCopyFailed);
        break;
    case platform::CopyResult::Pending:
        break;
    }
}

void CopyAnswered(SignatureWindow& window, SignatureView copied, bool succeeded)
{
    if (window.signature() == copied)
        window.setCardPreview(succeeded ? kCopyConfirmation : kCopyFailed);
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
