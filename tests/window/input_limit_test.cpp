#include <gtest/gtest.h>

#include "input_limit.h"

namespace vellumino {
namespace {

struct TypedCase {
    std::u16string typed;
    std::ptrdiff_t room;
    std::u16string inserted;
    friend void PrintTo(const TypedCase& c, std::ostream* os)
    {
        *os << testing::PrintToString(c.typed) << " with room " << c.room;
    }
};

class TypedInsertionTest : public testing::TestWithParam<TypedCase> {};

TEST_P(TypedInsertionTest, CountsWhatTheFieldWouldInsert)
{
    EXPECT_EQ(TypedInsertion(GetParam().typed, GetParam().room), GetParam().inserted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TypedInsertionTest,
    testing::Values(TypedCase{u"a", 1, u"a"}, TypedCase{u"签", -2, u""},
                    // Invisible or not, a character takes room.
                    TypedCase{u"\u200C", 0, u""}, TypedCase{u"\u200E\u200F", 1, u"\u200E"},
                    TypedCase{u"\uE000", 0, u""}, TypedCase{u"\uFEFF", 1, u"\uFEFF"},
                    // A pair goes in whole or not at all.
                    TypedCase{u"\U0001F600", 1, u""}, TypedCase{u"\U000F0000", 2, u"\U000F0000"},
                    // Enter, Esc, Tab, Backspace, Ctrl+A, Ctrl+Backspace, a C1 control.
                    TypedCase{u"\r\x1B\t\b\x01\x7F\u0085", 40, u""},
                    // An input method's text keeps its characters and loses its controls.
                    TypedCase{u"a\r\nb", 40, u"ab"}, TypedCase{u"签\u2028名", 40, u"签 名"},
                    TypedCase{u"个性签名", 3, u"个性签"}));

}  // namespace
}  // namespace vellumino
