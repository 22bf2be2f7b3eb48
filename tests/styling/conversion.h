// What the table-driven suites of the mapping commands share: one case is a
// text and what the command must make of it, named by its text.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "signature_text.h"

namespace vellumino {

inline constexpr char16_t kHigh = 0xD83D;  // the halves of U+1F600
inline constexpr char16_t kLow = 0xDE00;

struct Conversion {
    SignatureText text, expected;
};

inline void PrintTo(const Conversion& conversion, std::ostream* out)
{
    *out << testing::PrintToString(conversion.text);
}

// Where OpenCC's longest match from the left takes a phrase across two
// words, simplified to traditional: the weighed cut keeps the words apart,
// and the traditional text reads back to the simplified.
inline const std::vector<Conversion> kCuts{
    {u"进行复制", u"進行複製"},     {u"证书签名", u"證書簽名"}, {u"不复制别人的人生", u"不複製別人的人生"},
    {u"前头发生", u"前頭發生"},     {u"被发明", u"被發明"},     {u"学习了如何", u"學習了如何"},
    {u"参与制造", u"參與製造"},     {u"一个中国人", u"一個中國人"}, {u"最多只需", u"最多只需"},
    {u"无法制作", u"無法製作"},     {u"中文采访", u"中文採訪"}, {u"冲冲冲", u"衝衝衝"},
    {u"我的头发", u"我的頭髮"}};

inline std::vector<Conversion> Reversed(std::vector<Conversion> cases)
{
    for (Conversion& c : cases)
        std::swap(c.text, c.expected);
    return cases;
}

}  // namespace vellumino
