// Measures ToTraditional and ToSimplified against OpenCC's own converter
// (s2tw and tw2s, Taiwan's forms) on a text of real Chinese prose: how many
// Han characters come out the same, what the differences are, and how long
// each takes on 1 MiB of that text next to a plain copy; and both against
// people, on judged sets of lines (simplified<TAB>traditional, compared
// exactly both ways), all in one run. bench/steps/40-accuracy.sh prepares
// the text and the sets.
//   accuracy_bench TEXT.utf8 [REPETITIONS [SET.tsv...]]
#include <opencc/opencc.h>
#include <time.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "styling.h"

namespace {

// OpenCC reads and writes UTF-8, the commands UTF-16: both sides are compared
// code point by code point.
std::u32string DecodeUtf8(std::string_view in)
{
    std::u32string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size();) {
        const auto byte = static_cast<unsigned char>(in[i]);
        const std::size_t length = byte < 0x80 ? 1 : byte < 0xE0 ? 2 : byte < 0xF0 ? 3 : 4;
        char32_t point = length == 1 ? byte : byte & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < in.size(); ++k)
            point = (point << 6) | (static_cast<unsigned char>(in[i + k]) & 0x3F);
        out.push_back(point);
        i += length;
    }
    return out;
}

std::string EncodeUtf8(std::u32string_view in)
{
    std::string out;
    for (const char32_t point : in) {
        if (point < 0x80) {
            out += static_cast<char>(point);
        } else if (point < 0x800) {
            out += static_cast<char>(0xC0 | (point >> 6));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else if (point < 0x10000) {
            out += static_cast<char>(0xE0 | (point >> 12));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (point >> 18));
            out += static_cast<char>(0x80 | ((point >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((point >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (point & 0x3F));
        }
    }
    return out;
}

std::u16string ToUtf16(std::u32string_view in)
{
    std::u16string out;
    out.reserve(in.size());
    for (const char32_t point : in) {
        if (point < 0x10000) {
            out += static_cast<char16_t>(point);
        } else {
            out += static_cast<char16_t>(0xD800 + ((point - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((point - 0x10000) & 0x3FF));
        }
    }
    return out;
}

std::u32string ToUtf32(std::u16string_view in)
{
    std::u32string out;
    out.reserve(in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char16_t unit = in[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF) {
            out += static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (in[i + 1] - 0xDC00));
            ++i;
        } else {
            out += unit;
        }
    }
    return out;
}

bool IsHan(char32_t point)
{
    return (point >= 0x3400 && point <= 0x4DBF) || (point >= 0x4E00 && point <= 0x9FFF) ||
           (point >= 0xF900 && point <= 0xFAFF) || (point >= 0x20000 && point <= 0x3FFFF);
}

struct Agreement {
    std::size_t han = 0, differing = 0;
    // (source, ours, OpenCC's) -> count, and the first place it was seen
    std::map<std::tuple<char32_t, char32_t, char32_t>, std::pair<std::size_t, std::size_t>> kinds;
};

Agreement Compare(const std::u32string& source, const std::u32string& ours, const std::u32string& theirs)
{
    Agreement result;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (!IsHan(source[i]))
            continue;
        ++result.han;
        if (ours[i] == theirs[i])
            continue;
        ++result.differing;
        auto& kind = result.kinds[{source[i], ours[i], theirs[i]}];
        if (kind.first++ == 0)
            kind.second = i;
    }
    return result;
}

void Report(const char* name, const std::u32string& source, const std::u32string& ours,
            const std::u32string& theirs, double goal)
{
    if (ours.size() != theirs.size() || ours.size() != source.size()) {
        std::printf("%s: lengths differ (source %zu, ours %zu, OpenCC %zu)\n", name, source.size(),
                    ours.size(), theirs.size());
        std::exit(1);
    }
    const Agreement agreement = Compare(source, ours, theirs);
    const double percent =
        100.0 * static_cast<double>(agreement.han - agreement.differing) / static_cast<double>(agreement.han);
    std::printf(
        "  %s: %zu of %zu Han characters as OpenCC writes them: %.3f %% (%s the goal of %.2f %%), "
        "%zu differ\n",
        name, agreement.han - agreement.differing, agreement.han, percent,
        percent >= goal ? "meets" : "misses", goal, agreement.differing);

    std::vector<std::pair<std::size_t, decltype(agreement.kinds)::const_iterator>> sorted;
    for (auto it = agreement.kinds.begin(); it != agreement.kinds.end(); ++it)
        sorted.emplace_back(it->second.first, it);
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::printf("    %zu kinds (source: ours / OpenCC's, count, first seen in):\n", sorted.size());
    for (std::size_t k = 0; k < sorted.size() && k < 80; ++k) {
        const auto& [key, seen] = *sorted[k].second;
        const auto [from, mine, opencc] = key;
        const std::size_t at = seen.second;
        const std::size_t begin = at >= 6 ? at - 6 : 0;
        std::u32string context = source.substr(begin, 13);
        std::u32string theirsContext = theirs.substr(begin, 13);
        std::replace_if(
            context.begin(), context.end(), [](char32_t c) { return c < 0x20; }, U' ');
        std::replace_if(
            theirsContext.begin(), theirsContext.end(), [](char32_t c) { return c < 0x20; }, U' ');
        std::printf("    %s: %s / %s  %5zu  %s -> %s\n", EncodeUtf8(std::u32string(1, from)).c_str(),
                    EncodeUtf8(std::u32string(1, mine)).c_str(),
                    EncodeUtf8(std::u32string(1, opencc)).c_str(), seen.first, EncodeUtf8(context).c_str(),
                    EncodeUtf8(theirsContext).c_str());
    }
}

double CpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Median seconds per call of each task, over rounds in which every task runs
// once (the fast ones several times in a row, so that one timing is not
// shorter than the clock can tell).
std::vector<double> MedianTimes(const std::vector<std::pair<std::function<void()>, int>>& tasks, int rounds)
{
    std::vector<std::vector<double>> times(tasks.size());
    for (int round = 0; round < rounds; ++round) {
        for (std::size_t t = 0; t < tasks.size(); ++t) {
            const std::size_t task = (t + static_cast<std::size_t>(round)) % tasks.size();
            const double start = CpuSeconds();
            for (int k = 0; k < tasks[task].second; ++k)
                tasks[task].first();
            times[task].push_back((CpuSeconds() - start) / tasks[task].second);
        }
    }
    std::vector<double> medians;
    for (auto& samples : times) {
        std::sort(samples.begin(), samples.end());
        medians.push_back(samples[samples.size() / 2]);
    }
    return medians;
}

template <typename T>
void Keep(const T& value)
{
    asm volatile("" : : "r"(value.data()) : "memory");
}

double WallSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Lines `simplified<TAB>traditional` as people wrote them, each converted
// both ways by us and by OpenCC and compared exactly, variants unfolded.
// Lines starting with # are comments.
void Judge(const char* path, const opencc::SimpleConverter& s2tw, const opencc::SimpleConverter& tw2s)
{
    std::ifstream file(path);
    std::string line;
    std::size_t lines = 0, oursT = 0, theirsT = 0, oursS = 0, theirsS = 0;
    std::vector<std::string> missed, split;
    while (std::getline(file, line)) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos)
            continue;
        const std::string simplified = line.substr(0, tab), traditional = line.substr(tab + 1);
        ++lines;
        const std::string ours = EncodeUtf8(ToUtf32(vellumino::ToTraditional(ToUtf16(DecodeUtf8(simplified)))));
        const std::string back = EncodeUtf8(ToUtf32(vellumino::ToSimplified(ToUtf16(DecodeUtf8(traditional)))));
        const std::string theirs = s2tw.Convert(simplified);
        oursT += ours == traditional;
        theirsT += theirs == traditional;
        if ((ours == traditional) != (theirs == traditional) && split.size() < 40)
            split.push_back(std::string(ours == traditional ? "ours right: " : "OpenCC right: ") + simplified +
                            " -> " + ours + " / " + theirs + " (people: " + traditional + ")");
        oursS += back == simplified;
        theirsS += tw2s.Convert(traditional) == simplified;
        if (ours != traditional && missed.size() < 12)
            missed.push_back(simplified + " -> " + ours + " (people: " + traditional + ")");
    }
    const auto percent = [lines](std::size_t n) { return 100.0 * static_cast<double>(n) / static_cast<double>(lines); };
    std::printf("Judged set %s: %zu lines, exactly as people wrote them\n", path, lines);
    std::printf("  to traditional: ours %zu (%.2f %%), OpenCC s2tw %zu (%.2f %%)\n", oursT, percent(oursT), theirsT,
                percent(theirsT));
    std::printf("  to simplified:  ours %zu (%.2f %%), OpenCC tw2s %zu (%.2f %%)\n", oursS, percent(oursS), theirsS,
                percent(theirsS));
    for (const std::string& miss : missed)
        std::printf("    ours differs: %s\n", miss.c_str());
    for (const std::string& one : split)
        std::printf("    %s\n", one.c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s TEXT.utf8 [REPETITIONS]\n", argv[0]);
        return 2;
    }
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 20;
    std::ifstream file(argv[1], std::ios::binary);
    std::stringstream buffer;
    buffer << file.rdbuf();
    const std::string text8 = buffer.str();
    const std::u32string text = DecodeUtf8(text8);

    // Before anything else converts: the set-up of each direction's tables.
    double start = WallSeconds();
    Keep(vellumino::ToTraditional(u"个"));
    const double firstTraditional = WallSeconds() - start;
    start = WallSeconds();
    Keep(vellumino::ToSimplified(u"個"));
    const double firstSimplified = WallSeconds() - start;

    const opencc::SimpleConverter s2t("s2tw.json");
    const opencc::SimpleConverter t2s("tw2s.json");

    // Simplified to traditional on the text; back on OpenCC's traditional
    // form of it, so that both converters start from the same traditional text.
    const std::string opencc_traditional8 = s2t.Convert(text8);
    const std::u32string opencc_traditional = DecodeUtf8(opencc_traditional8);
    const std::u32string ours_traditional = ToUtf32(vellumino::ToTraditional(ToUtf16(text)));
    const std::u32string opencc_simplified = DecodeUtf8(t2s.Convert(opencc_traditional8));
    const std::u32string ours_simplified = ToUtf32(vellumino::ToSimplified(ToUtf16(opencc_traditional)));

    std::printf("Agreement with OpenCC on %zu characters of text:\n", text.size());
    Report("ToTraditional vs s2tw", text, ours_traditional, opencc_traditional, 99.9);
    Report("ToSimplified vs tw2s on s2tw's output", opencc_traditional, ours_simplified, opencc_simplified,
           99.9);

    for (int set = 3; set < argc; ++set) {
        Judge(argv[set], s2t, t2s);
    }

    // 1 MiB of UTF-16 from the start of the same text, whole characters only.
    std::u16string large = ToUtf16(text).substr(0, (std::size_t{1} << 20) / sizeof(char16_t));
    if (!large.empty() && large.back() >= 0xD800 && large.back() <= 0xDBFF)
        large.pop_back();
    const std::string large8 = EncodeUtf8(ToUtf32(large));
    const std::string largeTraditional8 = s2t.Convert(large8);
    const std::u16string largeTraditional = ToUtf16(DecodeUtf8(largeTraditional8));

    const std::vector<std::pair<std::function<void()>, int>> tasks = {
        {[&] { Keep(std::u16string(large)); }, 200},
        {[&] { Keep(vellumino::ToTraditional(large)); }, 20},
        {[&] { Keep(s2t.Convert(large8)); }, 1},
        {[&] { Keep(vellumino::ToSimplified(largeTraditional)); }, 20},
        {[&] { Keep(t2s.Convert(largeTraditional8)); }, 1},
    };
    const std::vector<double> t = MedianTimes(tasks, rounds);
    std::printf(
        "Speed on 1 MiB of that text (%zu UTF-16 units, %zu bytes of UTF-8 for OpenCC): median CPU time "
        "of %d interleaved rounds\n",
        large.size(), large8.size(), rounds);
    std::printf("  %-30s %10.1f us   baseline\n", "copy", t[0] * 1e6);
    const auto line = [&t](const char* name, std::size_t ours, std::size_t theirs) {
        std::printf("  %-30s %10.1f us   %6.2fx copy\n", name, t[ours] * 1e6, t[ours] / t[0]);
        std::printf("  %-30s %10.1f us   %6.0fx copy, %.0fx the time of %s (%s the goal of 20x)\n",
                    "  OpenCC, in-process", t[theirs] * 1e6, t[theirs] / t[0], t[theirs] / t[ours], name,
                    t[theirs] / t[ours] >= 20 ? "meets" : "misses");
    };
    line("ToTraditional", 1, 2);
    line("ToSimplified", 3, 4);

    // The first call's set-up, and a signature once set up: in a fresh
    // process the first call pays for both directions' index.
    const std::u16string signature = u"我的个性签名：今天也要元气满满哦😀 努力学习，天天向上！Keep going~";
    const std::vector<std::pair<std::function<void()>, int>> small = {
        {[&] { Keep(vellumino::ToTraditional(signature)); }, 2000},
        {[&] { Keep(vellumino::ToSimplified(signature)); }, 2000},
    };
    const std::vector<double> u = MedianTimes(small, rounds);
    std::printf("A signature of %zu UTF-16 units: ToTraditional %.2f us, ToSimplified %.2f us (goal 50 us)\n",
                signature.size(), u[0] * 1e6, u[1] * 1e6);
    std::printf("First calls' set-up: ToTraditional %.2f ms, ToSimplified %.2f ms (goal 10 ms)\n",
                firstTraditional * 1e3, firstSimplified * 1e3);
    return 0;
}
