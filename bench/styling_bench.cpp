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

#include "large_text.h"
#include "styling.h"

namespace {

using vellumino::bench::kLargeUnits;
using vellumino::bench::LargeText;

using vellumino::SignatureText;
using vellumino::SignatureView;

// Mixed content as people write it, exactly 40 UTF-16 code units (the field's limit).
constexpr SignatureView kSignature = u"我的个性签名：今天也要元气满满哦😀 努力学习，天天向上！Keep going~";
static_assert(kSignature.size() == 40);

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
