// The browser the page runs in: its clipboard, and the signature page beside
// the page. The JavaScript below runs in the page, whose script (app/web)
// provides Vellumino.text() to read a string out of the wasm memory and
// Vellumino.copyAnswered() to hand a copy's answer back to the window, and
// copy_the_old_way.js, beside this file, copyTheOldWay().
#include <emscripten.h>

#include "desktop.h"

namespace {

// 1 when the copy is under way (the answer follows), 0 when nothing could
// even start it and 2 when the old way has already answered yes.
//
// navigator.clipboard is missing on an http page that is not localhost and
// may be refused on a file: page; then the old way works, as on the
// signature page.
// clang-format off
EM_JS(int, vellumino_start_copy, (const char16_t* text, std::size_t length), {
    const signature = Vellumino.text(text, length);
    const clipboard = navigator.clipboard;
    if (!clipboard || !clipboard.writeText) return copyTheOldWay(signature) ? 2 : 0;
    clipboard.writeText(signature).then(
        () => Vellumino.copyAnswered(signature, true),
        () => Vellumino.copyAnswered(signature, copyTheOldWay(signature)));
    return 1;
});

// Beside the page, wherever it is served from (or opened from disk), in a
// tab of its own so that the signature being made stays where it is.
EM_JS(void, vellumino_open_signature_page, (), {
    window.open(new URL("signatures.html", document.baseURI).href, "_blank", "noopener");
});
// clang-format on

}  // namespace

namespace vellumino::platform {

CopyResult StartCopy(std::uintptr_t, std::u16string_view text)
{
    switch (vellumino_start_copy(text.data(), text.size())) {
    case 1:
        return CopyResult::Pending;
    case 2:
        return CopyResult::Copied;
    default:
        return CopyResult::Failed;
    }
}

bool CopyToClipboard(std::uintptr_t owner, std::u16string_view text)
{
    // Only the old way answers at once, so only it can say yes here; the
    // actions copy through StartCopy and hear the browser's later answer.
    return StartCopy(owner, text) == CopyResult::Copied;
}

std::u16string ClipboardText(std::uintptr_t)
{
    // A page reads the clipboard only through a promise, after asking the
    // user; the browser's own paste brings the text to the field instead.
    return {};
}

void ShowSignaturePage(std::uintptr_t)
{
    vellumino_open_signature_page();
}

}  // namespace vellumino::platform
