#include "catalogue.h"

#include <optional>

#include "grapheme_walk.h"

namespace vellumino {

namespace {

using Family = StyleFamily;

// Code page 936 holds every character the style writes (see catalogue.h).
constexpr std::uint8_t kCodePage936 = kMicrosoftYaHei | kSimSun;

// Each menu lists one family: nine of each keeps a menu at eleven entries
// or fewer with its reverse command and 去除样式.
// clang-format off
constexpr Style kStyles[] = {
    {Family::Separator, u"间隔号 ·", u"·", {}, {}, 0, kCodePage936},
    {Family::Separator, u"爱心 ♥", u"♥", {}, {}, 0, 0},
    {Family::Separator, u"星星 ☆", u"☆", {}, {}, 0, kCodePage936},
    {Family::Separator, u"波浪 ～", u"～", {}, {}, 0, kCodePage936},
    {Family::Separator, u"一点 丶", u"丶", {}, {}, 0, kCodePage936},
    {Family::Separator, u"浊点 ゛", u"゛", {}, {}, 0, kCodePage936},
    {Family::Separator, u"音符 ♪", u"♪", {}, {}, 0, 0},
    {Family::Separator, u"红心 ❤", u"❤", {}, {}, 0, 0},
    {Family::Separator, u"小花 ✿", u"✿", {}, {}, 0, 0},

    {Family::Frame, u"直角引号 「…」", u"「", u"」", {}, 0, kCodePage936},
    {Family::Frame, u"双直角引号 『…』", u"『", u"』", {}, 0, kCodePage936},
    {Family::Frame, u"方头括号 【…】", u"【", u"】", {}, 0, kCodePage936},
    {Family::Frame, u"空心括号 〖…〗", u"〖", u"〗", {}, 0, kCodePage936},
    {Family::Frame, u"竖排括号 ︻…︼", u"︻", u"︼", {}, 0, kCodePage936},
    {Family::Frame, u"流星 ★彡…彡★", u"★彡", u"彡★", {}, 0, kCodePage936},
    {Family::Frame, u"花朵 ❀…❀", u"❀", u"❀", {}, 0, 0},
    {Family::Frame, u"爱心 ♡…♡", u"♡", u"♡", {}, 0, 0},
    {Family::Frame, u"皇冠 ♛…♛", u"♛", u"♛", {}, 0, 0},

    {Family::Letters, u"全角 ＡＢＣ", {}, {},
     U"ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺａｂｃｄｅｆｇｈｉｊｋｌｍｎｏｐｑｒｓｔｕｖｗｘｙｚ０１２３４５６７８９", 0,
     kCodePage936},
    // The digits are the sans-serif circled ones: ① ② ④ ⑦ are Martian
    // lookalikes, which 火星文转简体 would turn into Chinese numerals.
    {Family::Letters, u"圆圈 ⒶⒷⒸ", {}, {},
     U"ⒶⒷⒸⒹⒺⒻⒼⒽⒾⒿⓀⓁⓂⓃⓄⓅⓆⓇⓈⓉⓊⓋⓌⓍⓎⓏⓐⓑⓒⓓⓔⓕⓖⓗⓘⓙⓚⓛⓜⓝⓞⓟⓠⓡⓢⓣⓤⓥⓦⓧⓨⓩ⓪➀➁➂➃➄➅➆➇➈", 0, 0},
    // Small capitals for the small letters only, so that each reads back:
    // a capital stays as it is, and x, which has none, too.
    {Family::Letters, u"小型大写 ᴀʙᴄ", {}, {},
     U"ABCDEFGHIJKLMNOPQRSTUVWXYZᴀʙᴄᴅᴇꜰɢʜɪᴊᴋʟᴍɴᴏᴘꞯʀꜱᴛᴜᴠᴡxʏᴢ0123456789", 0, 0},
    {Family::Letters, u"粗体 𝐀𝐁𝐂", {}, {},
     U"𝐀𝐁𝐂𝐃𝐄𝐅𝐆𝐇𝐈𝐉𝐊𝐋𝐌𝐍𝐎𝐏𝐐𝐑𝐒𝐓𝐔𝐕𝐖𝐗𝐘𝐙𝐚𝐛𝐜𝐝𝐞𝐟𝐠𝐡𝐢𝐣𝐤𝐥𝐦𝐧𝐨𝐩𝐪𝐫𝐬𝐭𝐮𝐯𝐰𝐱𝐲𝐳𝟎𝟏𝟐𝟑𝟒𝟓𝟔𝟕𝟖𝟗", 0, 0},
    // Bold script has every letter (plain script lacks ℬ, ℯ and others in
    // its block) and no digits of its own.
    {Family::Letters, u"花体 𝓐𝓑𝓒", {}, {},
     U"𝓐𝓑𝓒𝓓𝓔𝓕𝓖𝓗𝓘𝓙𝓚𝓛𝓜𝓝𝓞𝓟𝓠𝓡𝓢𝓣𝓤𝓥𝓦𝓧𝓨𝓩𝓪𝓫𝓬𝓭𝓮𝓯𝓰𝓱𝓲𝓳𝓴𝓵𝓶𝓷𝓸𝓹𝓺𝓻𝓼𝓽𝓾𝓿𝔀𝔁𝔂𝔃0123456789", 0, 0},
    // Seven double-struck capitals were encoded long before the block and
    // are reserved holes there: ℂ ℍ ℕ ℙ ℚ ℝ ℤ stand in for them.
    {Family::Letters, u"双线 𝔸𝔹ℂ", {}, {},
     U"𝔸𝔹ℂ𝔻𝔼𝔽𝔾ℍ𝕀𝕁𝕂𝕃𝕄ℕ𝕆ℙℚℝ𝕊𝕋𝕌𝕍𝕎𝕏𝕐ℤ𝕒𝕓𝕔𝕕𝕖𝕗𝕘𝕙𝕚𝕛𝕜𝕝𝕞𝕟𝕠𝕡𝕢𝕣𝕤𝕥𝕦𝕧𝕨𝕩𝕪𝕫𝟘𝟙𝟚𝟛𝟜𝟝𝟞𝟟𝟠𝟡", 0, 0},
    {Family::Letters, u"等宽 𝙰𝙱𝙲", {}, {},
     U"𝙰𝙱𝙲𝙳𝙴𝙵𝙶𝙷𝙸𝙹𝙺𝙻𝙼𝙽𝙾𝙿𝚀𝚁𝚂𝚃𝚄𝚅𝚆𝚇𝚈𝚉𝚊𝚋𝚌𝚍𝚎𝚏𝚐𝚑𝚒𝚓𝚔𝚕𝚖𝚗𝚘𝚙𝚚𝚛𝚜𝚝𝚞𝚟𝚠𝚡𝚢𝚣𝟶𝟷𝟸𝟹𝟺𝟻𝟼𝟽𝟾𝟿", 0, 0},
    {Family::Letters, u"删除线 A̶B̶C̶", {}, {}, {}, U'\u0336', 0},
    {Family::Letters, u"下划线 A̲B̲C̲", {}, {}, {}, U'\u0332', 0},
};
// clang-format on

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

constexpr std::u32string_view kPlain = U"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

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

// The letter a cluster written by a letter style stands for.
std::optional<char16_t> LetterBehind(SignatureView cluster)
{
    const CodePoint first = CodePointAt(cluster, 0);
    for (const Style& style : kStyles) {
        if (style.family != Family::Letters)
            continue;
        if (style.mark) {
            if (cluster.size() == 2 && FormIndex(cluster[0]) && cluster[1] == style.mark)
                return cluster[0];
        } else if (first.length == cluster.size()) {
            const auto at = style.forms.find(first.value);
            if (at != std::u32string_view::npos && style.forms[at] != kPlain[at])
                return static_cast<char16_t>(kPlain[at]);
        }
    }
    return std::nullopt;
}

// Every letter style's forms back to ASCII, and a letter's added mark off.
SignatureText LettersBack(SignatureView text)
{
    SignatureText out;
    out.reserve(text.size());
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        if (const auto letter = LetterBehind(cluster))
            out.push_back(*letter);
        else
            out.append(cluster);
    }
    return out;
}

// Whether the mark, put between the two clusters, stays a cluster of its
// own and leaves both as they are. A mark after an emoji's trailing joiner
// would join it (😀‍ and ♥ make one emoji), and one before a mark that starts
// a cluster (after a tab, say) would take that mark on.
bool MarkFits(SignatureView before, SignatureView mark, SignatureView after)
{
    SignatureText joined;
    joined.reserve(before.size() + mark.size() + after.size());
    joined.append(before).append(mark).append(after);
    ClusterWalk walk(joined);
    return walk.Next().size() == before.size() && !walk.Done() && walk.Next().size() == mark.size() &&
           !walk.Done() && walk.Next().size() == after.size() && walk.Done();
}

// The mark between every two characters; a space or the mark itself
// already stands between the two it parts (so a signature typed on after
// the style was put on gets the rest, not doubled marks), and no mark goes
// where it would join a character. So the result's clusters are the
// text's, with the marks as clusters between.
SignatureText Separate(SignatureView mark, SignatureView text)
{
    SignatureText out;
    out.reserve(text.size() * 2);
    SignatureView previous;
    auto parts = [mark](SignatureView cluster) { return cluster == u" " || cluster == mark; };
    for (ClusterWalk walk(text); !walk.Done();) {
        const SignatureView cluster = walk.Next();
        if (!previous.empty() && !parts(previous) && !parts(cluster) && MarkFits(previous, mark, cluster))
            out.append(mark);
        out.append(cluster);
        previous = cluster;
    }
    return out;
}

// The text Separate(mark, ·) was given, where `text` is what it gave and
// the mark is in it at least once; none if Separate made no such text.
std::optional<SignatureText> Unseparate(SignatureView mark, SignatureView text)
{
    if (text.find(mark) == SignatureView::npos)
        return std::nullopt;
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
    if (out.size() == text.size() || Separate(mark, out) != text)
        return std::nullopt;
    return out;
}

// A text parted by some separator, parted no more; none if no separator did.
std::optional<SignatureText> UnseparateAny(SignatureView text, const Style* except = nullptr)
{
    for (const Style& style : kStyles) {
        if (style.family != Family::Separator || &style == except)
            continue;
        if (auto apart = Unseparate(style.opening, text))
            return apart;
    }
    return std::nullopt;
}

bool Framed(const Style& frame, SignatureView text)
{
    return text.size() >= frame.opening.size() + frame.closing.size() && text.starts_with(frame.opening) &&
           text.ends_with(frame.closing);
}

std::optional<SignatureText> Unframe(SignatureView text)
{
    auto inside = [text](const Style& frame) {
        return SignatureText(
            text.substr(frame.opening.size(), text.size() - frame.opening.size() - frame.closing.size()));
    };
    if (Framed(kButtonFrame, text))
        return inside(kButtonFrame);
    for (const Style& style : kStyles) {
        if (style.family == Family::Frame && Framed(style, text))
            return inside(style);
    }
    return std::nullopt;
}

// As 加符号 folds a doubled ornament: an end that already carries its half
// of the frame gets no second one, so a second click changes nothing.
SignatureText Frame(const Style& frame, SignatureView text)
{
    SignatureText out;
    out.reserve(frame.opening.size() + text.size() + frame.closing.size());
    if (!text.starts_with(frame.opening))
        out.append(frame.opening);
    out.append(text);
    if (!text.ends_with(frame.closing) || text.size() < frame.opening.size() + frame.closing.size())
        out.append(frame.closing);
    return out;
}

}  // namespace

std::span<const Style> StyleCatalogue()
{
    return kStyles;
}

SignatureText ApplyStyle(const Style& style, SignatureView text)
{
    switch (style.family) {
        case Family::Separator: {
            if (Unseparate(style.opening, text))
                return SignatureText(text);
            // Another separator's marks give way to this one's.
            const auto apart = UnseparateAny(text, &style);
            return Separate(style.opening, apart ? SignatureView(*apart) : text);
        }
        case Family::Frame:
            return Frame(style, text);
        case Family::Letters:
            return ApplyLetters(style, LettersBack(text));
    }
    return SignatureText(text);
}

SignatureText RemoveStyles(SignatureView text)
{
    // A separator put on last parts the frame too (『·a·』), and a frame put
    // on last holds the marks inside (『a·b』): each step takes off whichever
    // is outermost, until neither is left. Letter forms come off wherever
    // they stand.
    SignatureText plain(text);
    for (;;) {
        if (auto apart = UnseparateAny(plain))
            plain = std::move(*apart);
        else if (auto inside = Unframe(plain))
            plain = std::move(*inside);
        else
            break;
    }
    return LettersBack(plain);
}

std::u32string StyleCodePoints(const Style& style)
{
    std::u32string points;
    auto add = [&points](char32_t c) {
        if (points.find(c) == std::u32string::npos)
            points.push_back(c);
    };
    for (const SignatureView piece : {style.opening, style.closing}) {
        for (std::size_t pos = 0; pos < piece.size();) {
            const CodePoint c = CodePointAt(piece, pos);
            add(c.value);
            pos += c.length;
        }
    }
    for (std::size_t i = 0; i < style.forms.size(); ++i) {
        if (style.forms[i] != kPlain[i])
            add(style.forms[i]);
    }
    if (style.mark)
        add(style.mark);
    return points;
}

}  // namespace vellumino
