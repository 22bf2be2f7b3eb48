// What leaves the window: the clipboard copy, the clear, the signature page.
#pragma once

namespace vellumino {

class SignatureWindow;

void CopySignature(SignatureWindow& window);
void ClearSignature(SignatureWindow& window);
void OpenSignaturePage(SignatureWindow& window);

}  // namespace vellumino
