// The browser the page runs in: its clipboard, and the signature page beside
// the page. The JavaScript below runs in the page, whose script (app/web)
// provides Vellumino.text() to read a string out of the wasm memory and
// Vellumino.copyAnswered() to hand a copy's answer back to the window.
#include <emscripten.h>

#include "desktop.h"

namespace {

// 1 when the copy is under way (the answer follows), 0 when nothing could
// even start it and 2 when the old way has already answered yes.
//
// navigator.clipboard is missing on an http page that is not localhost and
// may be refused on a file: page; then a selected, off-screen text area
// copied with execCommand works, as on the signature page. The field's focus
// and selection are put back afterwards, so that the user's caret stays.
// clang-format off
EM_JS(int, vellumino_start_copy, (const char16_t* text, std::size_t length), {
    const signature = Vellumino.text(text, length);
    const oldWay = () => {
        const focused = document.activeElement;
        const area = document.createElement("textarea");
        area.value = signature;
        area.setAttribute("readonly", "");
        area.style.cssText = "position:fixed;top:0;left:-9999px;opacity:0";
        document.body.appendChild(area);
        area.select();
        area.setSelectionRange(0, signature.length);
        let copied = false;
        try {
            copied = document.execCommand("copy");
        } catch (e) {
            copied = false;
        }
        area.remove();
        if (focused && focused.focus) focused.focus({preventScroll: true});
        return copied;
    };
    const clipboard = navigator.clipboard;
    if (!clipboard || !clipboard.writeText) return oldWay() ? 2 : 0;
    clipboard.writeText(signature).then(
        () => Vellumino.copyAnswered(signature, true),
        () => Vellumino.copyAnswered(signature, oldWay()));
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
