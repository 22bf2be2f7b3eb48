#include "catalogue.h"

#include <optional>

#include "grapheme_walk.h"

namespace vellumino {

namespace {

using Family = StyleFamily;

constexpr std::uint8_t kAllThree = kMicrosoftYaHei | kSimSun | kSegoeUISymbol;

constexpr Style kStyles[] = {
    {Family::Separator, u"间隔号 ·", u"·", {}, {}, 0, kAllThree},
    {Family::Separator, u"爱心 ♥", u"♥", {}, {}, 0, kAllThree},
    {Family::Separator, u"星星 ☆", u"☆", {}, {}, 0, kAllThree},
    {Family::Frame, u"『』", u"『", u"』", {}, 0, kAllThree},
    {Family::Frame, u"【】", u"【", u"】", {}, 0, kAllThree},
    {Family::Letters, u"全角 ＡＢＣ",
     {}, {},
     U"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ０１２３４５６７８９", 0,
     kAllThree},
    {Family::Letters, u"删除线 A̶B̶C̶", {}, {}, {}, U'\u0336', kSegoeUISymbol},
};

// 加符号's own frame: 去除样式 takes it off as it takes the catalogue's.
constexpr Style kButtonFrame{Family::Frame, {}, u"↗℡", u"╰☆", {}, 0, 0};

// Where an ASCII letter or digit stands in a style's forms.
std::optional<std::size_t> FormIndex(char32_t c)
{
    if (c >= U'A' && c <= U'Z')
        return c - U'A';
    if (c >= U'a' && c <= U'z')
        return 26 + (c - U'a');
    if (c >= U'0' && c <= U'9')
        return 52 + (c - U'0');
    return std::nullopt;
}

constexpr char32_t kPlain[] = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

void AppendCodePoint(SignatureText& out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        out.push_back(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
    }
}

// A cluster that is one ASCII letter or digit; anything with marks, a
// keycap's 1️⃣ among them, stays whole and untouched.
std::optional<std::size_t> LoneLetter(SignatureView cluster)
{
    if (cluster.size() != 1)
        return std::nullopt;
    return FormIndex(cluster[0]);
}

SignatureText ApplyLetters(const Style& style, SignatureView text)
{
    SignatureText out;
    out.reserve(text.size() * 2);
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        const auto index = LoneLetter(cluster);
        if (!index) {
            out.append(cluster);
        } else if (style.mark) {
            out.append(cluster);
            AppendCodePoint(out, style.mark);
        } else {
            AppendCodePoint(out, style.forms[*index]);
        }
    }
    return out;
}

// Every letter style's forms back to ASCII, and a letter's added mark off.
SignatureText LettersBack(SignatureView text)
{
    SignatureText out;
    out.reserve(text.size());
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        const CodePoint first = CodePointAt(cluster, 0);
        bool done = false;
        for (const Style& style : kStyles) {
            if (style.family != Family::Letters || done)
                continue;
            if (style.mark) {
                if (cluster.size() == 2 && FormIndex(cluster[0]) && cluster[1] == style.mark) {
                    out.push_back(cluster[0]);
                    done = true;
                }
            } else if (first.length == cluster.size()) {
                const auto at = style.forms.find(first.value);
                if (at != std::u32string_view::npos && style.forms[at] != kPlain[at]) {
                    out.push_back(static_cast<char16_t>(kPlain[at]));
                    done = true;
                }
            }
        }
        if (!done)
            out.append(cluster);
    }
    return out;
}

// The mark between every two characters; a space already stands between
// the two it parts, and no mark goes where it would join a character.
SignatureText Separate(SignatureView mark, SignatureView text)
{
    SignatureText out;
    out.reserve(text.size() * 2);
    bool markMayFollow = false;
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        const bool space = cluster == u" ";
        if (markMayFollow && !space && walk.SpaceMayPrecede())
            out.append(mark);
        out.append(cluster);
        markMayFollow = !space && walk.SpaceMayFollow();
    }
    return out;
}

// The text Separate(mark, ·) was given, where `text` is what it gave.
std::optional<SignatureText> Unseparate(SignatureView mark, SignatureView text)
{
    SignatureText out;
    out.reserve(text.size());
    bool afterCharacter = false;
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        if (afterCharacter && cluster == mark && !walk.Done()) {
            // The mark Separate put here; the cluster after it is the text's own.
            const SignatureView next = walk.Next();
            out.append(next);
            afterCharacter = next != u" ";
            continue;
        }
        out.append(cluster);
        afterCharacter = cluster != u" ";
    }
    if (Separate(mark, out) != text)
        return std::nullopt;
    return out;
}

bool Framed(const Style& frame, SignatureView text)
{
    return text.size() >= frame.opening.size() + frame.closing.size() && text.starts_with(frame.opening) &&
           text.ends_with(frame.closing);
}

}  // namespace

std::span<const Style> StyleCatalogue()
{
    return kStyles;
}

SignatureText ApplyStyle(const Style& style, SignatureView text)
{
    switch (style.family) {
    case Family::Separator:
        if (Unseparate(style.opening, text) && text.find(style.opening) != SignatureView::npos)
            return SignatureText(text);
        return Separate(style.opening, text);
    case Family::Frame:
        if (Framed(style, text))
            return SignatureText(text);
        return SignatureText(style.opening).append(text).append(style.closing);
    case Family::Letters:
        return ApplyLetters(style, LettersBack(text));
    }
    return SignatureText(text);
}

SignatureText RemoveStyles(SignatureView text)
{
    SignatureText plain(text);
    auto stripFrame = [&plain](const Style& frame) {
        if (!Framed(frame, plain))
            return false;
        plain = plain.substr(frame.opening.size(), plain.size() - frame.opening.size() - frame.closing.size());
        return true;
    };
    bool stripped = stripFrame(kButtonFrame);
    for (const Style& style : kStyles) {
        if (!stripped && style.family == Family::Frame)
            stripped = stripFrame(style);
    }
    for (const Style& style : kStyles) {
        if (style.family != Family::Separator || plain.find(style.opening) == SignatureText::npos)
            continue;
        if (auto apart = Unseparate(style.opening, plain)) {
            plain = std::move(*apart);
            break;
        }
    }
    return LettersBack(plain);
}

}  // namespace vellumino
