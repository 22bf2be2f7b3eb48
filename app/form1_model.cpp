#include "form1_model.h"

namespace vellumino {

void Form1Model::writeSignature(SignatureView text)
{
    // A toolkit reports a write as a change, or stays silent when the text is
    // unchanged; either way the previews refresh once, after the write.
    writing_ = true;
    view_.replaceFieldText(text);
    writing_ = false;
    Text1_Change();
}

void Form1Model::Text1_Change()
{
    if (writing_)
        return;
    previewing_ = false;
    const SignatureText text = view_.fieldText();
    display(Caption::Label1, text, false);
    display(Caption::Label2, text, false);
}

void Form1Model::display(Caption caption, SignatureView text, bool announce)
{
    shown_[static_cast<int>(caption)] = SignatureText(text);
    if (!previewing_)
        view_.showCaption(caption, text, announce);
}

void Form1Model::menuCommandChosen(const MenuCommand& command)
{
    previewEnded();
    RunMenuCommand(command, *this);
}

void Form1Model::menuCommandPreviewed(const MenuCommand& command)
{
    previewing_ = true;
    const SignatureText result = MenuResult(command, view_.fieldText());
    view_.showCaption(Caption::Label1, result, false);
    view_.showCaption(Caption::Label2, result, false);
}

void Form1Model::previewEnded()
{
    if (!previewing_)
        return;
    previewing_ = false;
    for (const Caption caption : {Caption::Label1, Caption::Label2})
        view_.showCaption(caption, shown_[static_cast<int>(caption)], false);
}

}  // namespace vellumino
