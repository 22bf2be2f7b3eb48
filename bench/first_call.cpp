// The first call's set-up: a fresh process makes the first call of each
// conversion once and prints how long each took, in microseconds. Run in
// turn with a build of other tables, as many times as the figures need:
//   first_call        -> "to_traditional US to_simplified US to_martian US"
#include <chrono>
#include <cstdio>

#include "styling.h"

int main()
{
    using Clock = std::chrono::steady_clock;
    const auto time = [](auto call) {
        const auto start = Clock::now();
        const auto result = call();
        const auto took = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        return result.empty() ? -1.0 : took;
    };
    const double traditional = time([] { return vellumino::ToTraditional(u"头发"); });
    const double simplified = time([] { return vellumino::ToSimplified(u"頭髮"); });
    const double martian = time([] { return vellumino::ToMartian(u"头发"); });
    std::printf("%.1f %.1f %.1f\n", traditional, simplified, martian);
    return 0;
}
