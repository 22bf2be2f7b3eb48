// Times the text commands: each on a signature of the field's full length,
// and the character mappings on 1 MiB of text next to plain copies of the
// same text, so that bench/steps/10-styling.sh can state them as ratios of a
// baseline measured in the same run.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "styling.h"

namespace {

using vellumino::SignatureText;
using vellumino::SignatureView;

// Mixed content as people write it, exactly 40 UTF-16 code units (the field's limit).
constexpr SignatureView kSignature = u"我的个性签名：今天也要元气满满哦😀 努力学习，天天向上！Keep going~";
static_assert(kSignature.size() == 40);

// 1 MiB of UTF-16.
constexpr std::size_t kLargeUnits = (std::size_t{1} << 20) / sizeof(char16_t);

// Text drawn from everyday Chinese (many of these characters have a Martian
// lookalike or a traditional form, many do not), with some Latin, punctuation
// and emoji. A fixed generator keeps the text identical from run to run.
SignatureText LargeText()
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

const SignatureText& Large()
{
    static const SignatureText text = LargeText();
    return text;
}

// The reverse commands get the text as they would meet it: already converted.
const SignatureText& LargeMartian()
{
    static const SignatureText text = vellumino::ToMartian(Large());
    return text;
}

const SignatureText& LargeTraditional()
{
    static const SignatureText text = vellumino::ToTraditional(Large());
    return text;
}

using Command = SignatureText (*)(SignatureView);

void Signature(benchmark::State& state, Command command)
{
    for (auto _ : state) {
        SignatureText result = command(kSignature);
        benchmark::DoNotOptimize(result.data());
        benchmark::ClobberMemory();
    }
}

using Input = const SignatureText& (*)();

void LargeCommand(benchmark::State& state, Command command, Input input)
{
    const SignatureText& text = input();
    for (auto _ : state) {
        SignatureText result = command(text);
        benchmark::DoNotOptimize(result.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size() * sizeof(char16_t)));
}

// The baseline: the same text copied into a new string, as a mapping that
// changes nothing would at best.
SignatureText Copy(SignatureView text)
{
    return SignatureText(text);
}

// A second baseline: a new string filled one element at a time.
SignatureText TransformIdentity(SignatureView text)
{
    SignatureText result(text.size(), u'\0');
    std::transform(text.begin(), text.end(), result.begin(), [](char16_t unit) { return unit; });
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    const struct {
        const char* name;
        Command command;
    } commands[] = {
        {"AddSpaces", vellumino::AddSpaces},         {"AddSymbols", vellumino::AddSymbols},
        {"ToMartian", vellumino::ToMartian},         {"FromMartian", vellumino::FromMartian},
        {"ToTraditional", vellumino::ToTraditional}, {"ToSimplified", vellumino::ToSimplified},
    };
    for (const auto& c : commands)
        benchmark::RegisterBenchmark((std::string("signature/") + c.name).c_str(), Signature, c.command)
            ->Unit(benchmark::kNanosecond);

    const struct {
        const char* name;
        Command command;
        Input input;
    } large[] = {
        {"copy", Copy, Large},
        {"transform", TransformIdentity, Large},
        {"ToMartian", vellumino::ToMartian, Large},
        {"FromMartian", vellumino::FromMartian, LargeMartian},
        {"ToTraditional", vellumino::ToTraditional, Large},
        {"ToSimplified", vellumino::ToSimplified, LargeTraditional},
    };
    for (const auto& c : large)
        benchmark::RegisterBenchmark((std::string("1MiB/") + c.name).c_str(), LargeCommand, c.command,
                                     c.input)
            ->Unit(benchmark::kMicrosecond);

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
