// The window's behaviour with no toolkit in it: every front-end builds its
// controls, hands them to a Form1Model through Form1View, and turns its
// toolkit's events into the calls below. The rules live here once:
// every write refreshes both previews, a copy confirmation lasts until the
// next change, a zone runs its one command, a right-click offers its reverse.
#pragma once

#include <cstdint>

#include "signature_window.h"
#include "zone_table.h"

namespace vellumino {

// The two preview captions.
enum class Caption { Label1, Label2 };

// What a front-end's controls can do, and nothing more.
class Form1View {
public:
    virtual ~Form1View() = default;

    virtual SignatureText fieldText() const = 0;
    // Replaces the whole field as one edit the user can undo. The toolkit
    // may or may not report it as a change; the model refreshes either way.
    virtual void replaceFieldText(SignatureView text) = 0;
    // With `announce`, the caption says something of the program's own (the
    // copy's confirmation) rather than the signature the user is typing and
    // hears already: a screen reader should read it out.
    virtual void showCaption(Caption caption, SignatureView text, bool announce) = 0;
    // The window's native handle (an HWND on Windows, an X11 window id on
    // Linux, 0 where there is none), for services that want an owner.
    virtual std::uintptr_t nativeHandle() = 0;

protected:
    Form1View() = default;
    Form1View(const Form1View&) = default;
    Form1View& operator=(const Form1View&) = default;
};

class Form1Model final : public SignatureWindow {
public:
    explicit Form1Model(Form1View& view) : view_(view) {}

    SignatureText signature() const override { return view_.fieldText(); }
    void writeSignature(SignatureView text) override;
    void setChatPreview(SignatureView text) override { show(Caption::Label1, text); }
    void setCardPreview(SignatureView text) override { show(Caption::Label2, text); }
    std::uintptr_t nativeHandle() override { return view_.nativeHandle(); }

    // The field's change notification, however the text changed: typed,
    // pasted, cut, dropped, undone or written by a command.
    void Text1_Change();
    // A left click on a zone.
    void zoneClicked(layout::ZoneId zone) { RunZoneCommand(zone, *this); }
    // An entry chosen from a zone's menu or the field's: the field gets its
    // result as one undo step, whether or not a preview was showing.
    void menuCommandChosen(const MenuCommand& command);
    // A menu entry has the focus or the pointer: both captions show what it
    // would give, and nothing else changes.
    void menuCommandPreviewed(const MenuCommand& command);
    // The pointer or the focus left the entries, or the menu closed without
    // a choice: the captions show again what they showed before (the copy's
    // confirmation too). Harmless when no preview is showing.
    void previewEnded();

private:
    // What an output action writes into a caption is announced when it is
    // not the signature itself.
    void show(Caption caption, SignatureView text) { display(caption, text, text != view_.fieldText()); }
    void display(Caption caption, SignatureView text, bool announce);

    Form1View& view_;
    bool writing_ = false;
    bool previewing_ = false;
    // What each caption shows, a preview aside; put back without being read
    // out again.
    SignatureText shown_[2];
};

}  // namespace vellumino
