// What leaves the window: the clipboard copy, the clear, the signature page.
#pragma once

#include "signature_text.h"

namespace vellumino {

// Shown in the hover-card caption after a copy, until the signature changes.
inline constexpr SignatureView kCopyConfirmation = u"QQ签名已复制、请在QQ中粘贴";
// Shown there instead when the system says nothing reached the clipboard.
inline constexpr SignatureView kCopyFailed = u"没有复制成功，请再试一次";

class SignatureWindow;

// Puts the signature on the clipboard as plain text, in place of whatever it
// held, and says in the hover-card caption whether that worked. The field and
// the chat caption stay as they are. Where the clipboard answers only later
// (a browser's), the caption waits for CopyAnswered.
void CopySignature(SignatureWindow& window);

// The late answer to a copy of `copied`: says in the hover-card caption what
// CopySignature would have said at once. An answer that comes after the
// signature has changed says nothing, since the caption already shows the
// new signature and a confirmation there would claim the wrong text.
void CopyAnswered(SignatureWindow& window, SignatureView copied, bool succeeded);

// Empties the field and both captions; the clipboard keeps what it holds.
void ClearSignature(SignatureWindow& window);

// Asks the desktop to show the signature page that ships with the program,
// and nothing else.
void OpenSignaturePage(SignatureWindow& window);

}  // namespace vellumino
