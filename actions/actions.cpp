#include "actions.h"

#include <QString>

#include <cstdint>

#include "desktop.h"
#include "signature_window.h"

namespace vellumino {

namespace {

// Shown in the hover-card caption after a copy, until the signature changes.
const QString kCopyConfirmation = QStringLiteral("QQ签名已复制、请在QQ中粘贴");

// Fixed at build time: the program never opens any other address, and never
// one taken from the field.
constexpr char SignaturePageUrl[] = VELLUMINO_HOME_URL;

}  // namespace

void CopySignature(SignatureWindow& window)
{
    platform::ClearClipboard();
    platform::PutOnClipboard(window.signature().toStdU16String());
    // Qt's clipboard cannot tell whether another program got in the way, so
    // the confirmation is shown in any case.
    window.setCardPreview(kCopyConfirmation);
}

void ClearSignature(SignatureWindow& window)
{
    window.writeSignature(QString());
    // The write already blanked both captions; blanking them here as well
    // keeps the clear whole even if the write changed nothing.
    window.setChatPreview(QString());
    window.setCardPreview(QString());
}

void OpenSignaturePage(SignatureWindow& window)
{
    platform::OpenUrl(static_cast<std::uintptr_t>(window.nativeHandle()), SignaturePageUrl);
}

}  // namespace vellumino
