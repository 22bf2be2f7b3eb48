#include "actions.h"

#include "desktop.h"
#include "signature_window.h"

namespace vellumino {

namespace {

// Fixed at build time: the program never opens any other address, and never
// one taken from the field.
constexpr char SignaturePageUrl[] = VELLUMINO_HOME_URL;

}  // namespace

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
    platform::OpenUrl(window.nativeHandle(), SignaturePageUrl);
}

}  // namespace vellumino
