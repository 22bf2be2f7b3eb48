#include "actions.h"

#include "desktop.h"
#include "signature_window.h"

namespace vellumino {

namespace {

// Shown in the hover-card caption after a copy, until the signature changes.
constexpr SignatureView kCopyConfirmation = u"QQ签名已复制、请在QQ中粘贴";

}  // namespace

void CopySignature(SignatureWindow& window)
{
    const std::uintptr_t owner = window.nativeHandle();
    platform::ClearClipboard(owner);
    platform::PutOnClipboard(owner, window.signature());
    // Whether another program got in the way cannot always be told, so the
    // confirmation is shown in any case.
    window.setCardPreview(kCopyConfirmation);
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
