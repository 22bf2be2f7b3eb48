#include "text_ops.h"

namespace vellumino {

SignatureText ReplaceAll(SignatureView text, SignatureView search, SignatureView replacement)
{
    if (search.empty())
        return SignatureText(text);

    SignatureText result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        if (text.substr(pos, search.size()) == search) {
            result.append(replacement);
            pos += search.size();
        } else {
            result.push_back(text[pos]);
            ++pos;
        }
    }
    return result;
}

SignatureView Trim(SignatureView text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == SignatureView::npos)
        return {};
    const auto last = text.find_last_not_of(u' ');
    return text.substr(first, last - first + 1);
}

}  // namespace vellumino
