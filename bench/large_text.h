// The 1 MiB of text the mappings are timed on (styling_bench) and that
// same_output converts with the corpora: the same text in every run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>

#include "styling.h"

namespace vellumino::bench {

using vellumino::SignatureText;
using vellumino::SignatureView;

// 1 MiB of UTF-16.
constexpr std::size_t kLargeUnits = (std::size_t{1} << 20) / sizeof(char16_t);

// Text drawn from everyday Chinese (many of these characters have a Martian
// lookalike or a traditional form, many do not), with some Latin, punctuation
// and emoji. A fixed generator keeps the text identical from run to run.
inline SignatureText LargeText()
{
    constexpr SignatureView kChinese =
        u"的一是了我不人在他有这个上们来到时大地为子中你说生国年着就那和要她出也得里后自以"
        u"会家可下而过天去能对小多然于心学么之都好看起发当没成只如事把还用第样道想作种开美"
        u"总从无情己面最女但现前些所同日手又行意动方期它头经长儿回位分爱老因很给名法间斯知"
        u"世什两次使身者被高已亲其进此话常与活正感见明问力理尔点文几定本公特做外孩签性网络"
        u"朋友今天也要开心快乐努力加油梦想未来希望时光记忆温柔岁月";
    constexpr SignatureView kLatin = u"abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 ";
    constexpr SignatureView kPunctuation = u"，。！？、：；“”（）…～";
    constexpr SignatureView kEmoji[] = {u"😀", u"🎉", u"👍", u"🌸", u"❤️", u"✨"};

    SignatureText text;
    text.reserve(kLargeUnits);
    std::uint32_t state = 20240607;
    const auto next = [&state](std::size_t bound) {
        state = state * 1664525u + 1013904223u;
        return static_cast<std::size_t>(state >> 8) % bound;
    };
    while (text.size() < kLargeUnits) {
        const std::size_t pick = next(100);
        if (pick < 80) {
            text.push_back(kChinese[next(kChinese.size())]);
        } else if (pick < 92) {
            text.push_back(kLatin[next(kLatin.size())]);
        } else if (pick < 98) {
            text.push_back(kPunctuation[next(kPunctuation.size())]);
        } else {
            const SignatureView emoji = kEmoji[next(std::size(kEmoji))];
            if (text.size() + emoji.size() <= kLargeUnits)
                text.append(emoji);
            else
                text.push_back(u' ');
        }
    }
    return text;
}

}  // namespace vellumino::bench
