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
    const SignatureText text = view_.fieldText();
    view_.showCaption(Caption::Label1, text, false);
    view_.showCaption(Caption::Label2, text, false);
}

}  // namespace vellumino
