// Starts a program on the current X display and measures it from the outside:
// the time from exec to the map of its first top-level window, the processor
// time its threads had used by then (steadier than the wall clock on a busy
// machine), and its peak resident memory (VmHWM) once that window has had
// time to paint.
//
//   startup_probe SETTLE_MS PROGRAM [ARGS...]
//
// Prints one line: "<ms to map> <peak RSS in KiB> <CPU ms to map>". Exits
// non-zero if the program dies or maps nothing within 20 seconds.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

long PeakRssKib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return -1;
}

// Time on the processor of every thread so far, from the scheduler's count.
double CpuMs(pid_t pid)
{
    double ns = 0;
    std::error_code error;
    for (const auto& task :
         std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double running = 0;
        if (schedstat >> running)
            ns += running;
    }
    return ns / 1e6;
}

void Stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s SETTLE_MS PROGRAM [ARGS...]\n", argv[0]);
        return 2;
    }
    const auto settle = std::chrono::milliseconds(std::atoi(argv[1]));

    const std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> x(xcb_connect(nullptr, nullptr),
                                                                         &xcb_disconnect);
    if (xcb_connection_has_error(x.get())) {
        std::fprintf(stderr, "cannot open the X display %s (xcb error %d)\n",
                     std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "(unset)",
                     xcb_connection_has_error(x.get()));
        return 2;
    }
    // Every map of a top-level window is reported to whoever listens on the root.
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x.get())).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_request_check(x.get(), xcb_change_window_attributes_checked(x.get(), root, XCB_CW_EVENT_MASK, &mask));

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // The program must not inherit the probe's X connection.
        fcntl(xcb_get_file_descriptor(x.get()), F_SETFD, FD_CLOEXEC);
        execvp(argv[2], argv + 2);
        std::perror("exec");
        _exit(127);
    }

    const Clock::time_point deadline = start + std::chrono::seconds(20);
    pollfd fd{xcb_get_file_descriptor(x.get()), POLLIN, 0};
    while (true) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.get())) {
            const bool mapped = (event->response_type & 0x7F) == XCB_MAP_NOTIFY &&
                                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            std::free(event);
            if (mapped) {
                const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                const double cpu = CpuMs(pid);
                std::this_thread::sleep_for(settle);
                const long kib = PeakRssKib(pid);
                Stop(pid);
                std::printf("%.2f %ld %.2f\n", ms, kib, cpu);
                return kib > 0 ? 0 : 1;
            }
        }
        if (xcb_connection_has_error(x.get()) || waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before mapping a window\n", argv[2]);
            return 1;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0) {
            std::fprintf(stderr, "%s mapped no window within 20 s\n", argv[2]);
            Stop(pid);
            return 1;
        }
        poll(&fd, 1, static_cast<int>(std::min<long long>(left, 100)));
    }
}
