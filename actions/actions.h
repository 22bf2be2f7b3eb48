// What leaves the window: the clipboard copy, the clear, the signature page.
#pragma once

namespace vellumino {

class SignatureWindow;

// Clears the clipboard, puts the signature on it as plain text and confirms
// in the hover-card caption. The field and the chat caption stay as they are.
void CopySignature(SignatureWindow& window);

// Empties the field and both captions; the clipboard keeps what it holds.
void ClearSignature(SignatureWindow& window);

// Asks the desktop to show the signature page that ships with the program,
// and nothing else.
void OpenSignaturePage(SignatureWindow& window);

}  // namespace vellumino
