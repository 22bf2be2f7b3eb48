// The first call's set-up: a fresh process makes the first call of each
// conversion once and prints how long each took, in microseconds of the
// thread's processor time (page faults included; another program's load
// on the machine left out). Run in turn with a build of other tables, as
// many times as the figures need:
//   first_call        -> "to_traditional US to_simplified US to_martian US"
#include <time.h>

#include <cstdio>

#include "styling.h"

namespace {

double Now()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

template <typename Call>
double Time(Call call)
{
    const double start = Now();
    const auto result = call();
    const double took = Now() - start;
    return result.empty() ? -1.0 : took;
}

}  // namespace

int main()
{
    const double traditional = Time([] { return vellumino::ToTraditional(u"头发"); });
    const double simplified = Time([] { return vellumino::ToSimplified(u"頭髮"); });
    const double martian = Time([] { return vellumino::ToMartian(u"头发"); });
    std::printf("%.1f %.1f %.1f\n", traditional, simplified, martian);
    return 0;
}
