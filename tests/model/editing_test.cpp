#include <gtest/gtest.h>

#include "editing.h"

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

// Thirty-nine code units, so that one more fits and a pair does not.
const std::u16string k39(39, u'字');

struct FitCase {
    std::u16string incoming;
    std::ptrdiff_t room;
    std::u16string fitted;
    friend void PrintTo(const FitCase& c, std::ostream* os)
    {
        *os << testing::PrintToString(c.incoming) << " with room " << c.room;
    }
};

class FitToRoomTest : public testing::TestWithParam<FitCase> {};

TEST_P(FitToRoomTest, LetsInOnlyWholeCharacters)
{
    EXPECT_EQ(FitToRoom(GetParam().incoming, GetParam().room), GetParam().fitted);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FitToRoomTest,
    testing::Values(
        // A paste into an empty field: what does not fit whole stays out.
        FitCase{k39 + u"\u2764\uFE0F", 40, k39},
        FitCase{k39.substr(1) + u"\U0001F468\u200D\U0001F469\u200D\U0001F467", 40, k39.substr(1)},
        FitCase{k39 + u"e\u0301", 40, k39}, FitCase{k39 + u"\U0001F44D\U0001F3FD", 40, k39},
        FitCase{u"\U0001F1E8\U0001F1F3\U0001F1E8\U0001F1F3", 6, u"\U0001F1E8\U0001F1F3"},
        FitCase{u"1\uFE0F\u20E3", 2, u""},
        // Line breaks are spaces, a CR LF one of them; the limit counts them.
        FitCase{u"a\r\nb\nc\rd", 40, u"a b c d"}, FitCase{u"签\r\n名", 2, u"签 "},
        FitCase{u"\u2764\uFE0F", 2, u"\u2764\uFE0F"}, FitCase{u"abc", 0, u""}, FitCase{u"abc", -5, u""},
        // A paste admits what typing does: the other controls stay out and
        // take no room; format and private-use characters and a lone
        // surrogate are text.
        FitCase{u"a\tb\x1B\u0085c\x7F\x01\u009Fd", 4, u"abcd"}, FitCase{u"\t\t\t", 40, u""},
        FitCase{u"\u200D\uE000\uFEFF", 40, u"\u200D\uE000\uFEFF"},
        FitCase{std::u16string{u'x', char16_t{0xDC00}}, 40, std::u16string{u'x', char16_t{0xDC00}}}));

struct DeleteCase {
    const char* key;
    std::u16string text;
    std::size_t caret;
    TextRange taken;
    friend void PrintTo(const DeleteCase& c, std::ostream* os)
    {
        *os << c.key << " at " << c.caret << " in " << testing::PrintToString(c.text);
    }
};

class DeletingKeyTest : public testing::TestWithParam<DeleteCase> {};

TEST_P(DeletingKeyTest, TakesWholeCharacters)
{
    const DeleteCase& c = GetParam();
    const std::string key = c.key;
    const TextRange taken = key == "Backspace" ? CharacterBefore(c.text, c.caret)
                            : key == "Delete"  ? CharacterAfter(c.text, c.caret)
                                               : WordBefore(c.text, c.caret);
    EXPECT_EQ(taken.start, c.taken.start) << key << " at " << c.caret;
    EXPECT_EQ(taken.end, c.taken.end) << key << " at " << c.caret;
}

// 我 + thumb with skin tone (4 units) + 你, and the family (8 units).
const std::u16string kThumb = u"我\U0001F44D\U0001F3FD你";
const std::u16string kFamily = u"\U0001F468\u200D\U0001F469\u200D\U0001F467";

INSTANTIATE_TEST_SUITE_P(
    Cases, DeletingKeyTest,
    testing::Values(
        DeleteCase{"Backspace", kThumb, 5, {1, 5}}, DeleteCase{"Backspace", kThumb, 6, {5, 6}},
        DeleteCase{"Backspace", kThumb, 1, {0, 1}}, DeleteCase{"Backspace", kThumb, 0, {0, 0}},
        // A caret between the halves of a pair, or of a sequence, takes it whole.
        DeleteCase{"Backspace", kThumb, 3, {1, 5}}, DeleteCase{"Delete", kThumb, 2, {1, 5}},
        DeleteCase{"Delete", kThumb, 1, {1, 5}}, DeleteCase{"Delete", kThumb, 6, {6, 6}},
        DeleteCase{"Backspace", kFamily, 8, {0, 8}}, DeleteCase{"Delete", kFamily, 0, {0, 8}},
        DeleteCase{"Backspace", u"\U0001F1E8\U0001F1F3\U0001F1FA\U0001F1F8", 8, {4, 8}},
        DeleteCase{"Backspace", u"#\uFE0F\u20E3x", 3, {0, 3}},
        DeleteCase{"Backspace", u"cafe\u0301", 5, {3, 5}},
        DeleteCase{"Backspace", std::u16string{u'a', char16_t{0xD800}, u'b'}, 2, {1, 2}},  // a lone surrogate
        // Ctrl+Backspace: spaces, then a word, a run of symbols, or one ideograph.
        DeleteCase{"Word", u"hello world  ", 13, {6, 13}}, DeleteCase{"Word", u"个性签名", 4, {3, 4}},
        DeleteCase{"Word", u"ab!!", 4, {2, 4}}, DeleteCase{"Word", u"Ünïcode", 7, {0, 7}},
        DeleteCase{"Word", u"好" + kFamily + kFamily, 17, {1, 17}},
        DeleteCase{"Word", kThumb, 3, {1, 5}}, DeleteCase{"Word", u"", 0, {0, 0}}));

// The thumb with its skin tone again: units 1 to 5 are one character, with
// stops inside it after 2, 3 and 4.
struct RemovalCase {
    RemovingKey key;
    TextRange selection;
    Removal removal;
    friend void PrintTo(const RemovalCase& c, std::ostream* os)
    {
        *os << "key " << static_cast<int>(c.key) << " on [" << c.selection.start << ", " << c.selection.end << ")";
    }
};

class RemovalTest : public testing::TestWithParam<RemovalCase> {};

TEST_P(RemovalTest, TakesTheSelectionWholeAndCutsOnlyASelection)
{
    const RemovalCase& c = GetParam();
    const Removal removal = RemovalFor(kThumb, c.selection, c.key);
    EXPECT_EQ(removal.taken, c.removal.taken);
    EXPECT_EQ(removal.toClipboard, c.removal.toClipboard);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RemovalTest,
    testing::Values(
        // A selection goes whole, whichever key, and out to whole characters.
        RemovalCase{RemovingKey::Backspace, {0, 2}, {{0, 5}}}, RemovalCase{RemovingKey::Delete, {3, 6}, {{1, 6}}},
        RemovalCase{RemovingKey::WordBefore, {2, 4}, {{1, 5}}}, RemovalCase{RemovingKey::Cut, {2, 3}, {{1, 5}, true}},
        RemovalCase{RemovingKey::Cut, {6, 0}, {{0, 6}, true}},  // selected backwards
        // Without one, Shift+Delete leaves the text and the clipboard alone.
        RemovalCase{RemovingKey::Cut, {5, 5}, {}}, RemovalCase{RemovingKey::Cut, {3, 3}, {}},
        RemovalCase{RemovingKey::Backspace, {3, 3}, {{1, 5}}}, RemovalCase{RemovingKey::Delete, {5, 5}, {{5, 6}}},
        RemovalCase{RemovingKey::WordBefore, {6, 6}, {{5, 6}}}));

TEST(WholeCharactersTest, PutsEveryStopInsideACharacterOnItsEdges)
{
    const std::u16string text = u"a" + kFamily + u"e\u0301\U0001F600";
    // Each stop inside a character, as a caret and as either end of a selection.
    for (std::size_t at = 0; at <= text.size() + 1; ++at) {
        const TextRange caret = WholeCharacters(text, {at, at});
        EXPECT_EQ(caret.start, caret.end) << at;
        EXPECT_GE(caret.start, std::min(at, text.size())) << at;
        EXPECT_EQ(CharacterBefore(text, caret.start).end, caret.start) << at;  // a boundary
        for (std::size_t to = at + 1; to <= text.size(); ++to) {
            const TextRange whole = WholeCharacters(text, {at, to});
            EXPECT_LE(whole.start, at);
            EXPECT_GE(whole.end, to);
            EXPECT_EQ(WholeCharacters(text, whole), whole) << at << ".." << to;
        }
    }
    EXPECT_EQ(WholeCharacters(text, {3, 3}), (TextRange{9, 9}));   // inside the family: after it
    EXPECT_EQ(WholeCharacters(text, {10, 13}), (TextRange{9, 13}));  // the accent and half the face
    EXPECT_EQ(WholeCharacters(u"", {4, 4}), (TextRange{0, 0}));
}

}  // namespace
}  // namespace vellumino
