// startup_bench: how long programs take from their start to their window
// being mapped, on the X display of $DISPLAY. Starts each program in turn,
// RUNS times each (interleaved, so that a machine that slows down slows all
// alike), waits for a top-level window titled TITLE to be mapped, then ends
// the program (a window of another size with that title, such as an error
// box, does not count). Prints each program's median and quartiles, and the ratio of
// each median to the first program's. Never fails on time; exits 1 when a
// program did not show its window within the deadline.
//   startup_bench RUNS TITLE PROGRAM...
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "window_layout.h"

extern char **environ;

namespace {

constexpr double DEADLINE_MS = 30000;

double NowMs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

int IgnoreError(Display *, XErrorEvent *)
{
    return 0;  // a window that went while it was looked at
}

std::string Title(Display *display, Window window)
{
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    std::string title;
    if (XGetWindowProperty(display, window, name, 0, 256, False, utf8, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr && format == 8)
        title.assign(reinterpret_cast<const char *>(data), count);
    if (data != nullptr)
        XFree(data);
    return title;
}

// True when `window` has the window's size (an error box with the same
// title is not the window).
bool IsWindow(Display *display, Window window)
{
    XWindowAttributes attributes{};
    return XGetWindowAttributes(display, window, &attributes) != 0 && attributes.width == CLIENT_WIDTH &&
           attributes.height == CLIENT_HEIGHT;
}

// Starts `program`, and returns the milliseconds until a window titled
// `title` is mapped on the root window, or a negative number when none is
// within the deadline. Ends the program either way.
double TimeToWindow(Display *display, const std::string &program, const std::string &title)
{
    // Nothing left over from the run before.
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
    }
    char *argv[] = {const_cast<char *>(program.c_str()), nullptr};
    pid_t pid = 0;
    const double start = NowMs();
    if (posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, environ) != 0)
        return -1;
    double shown = -1;
    while (shown < 0 && NowMs() - start < DEADLINE_MS) {
        if (XPending(display) == 0) {
            pollfd fd{ConnectionNumber(display), POLLIN, 0};
            poll(&fd, 1, 100);
            if (XPending(display) == 0)
                continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && Title(display, event.xmap.window) == title && IsWindow(display, event.xmap.window))
            shown = NowMs() - start;
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return shown;
}

double Quantile(std::vector<double> v, double q)
{
    std::sort(v.begin(), v.end());
    const double at = q * (v.size() - 1);
    const std::size_t low = static_cast<std::size_t>(at);
    const std::size_t high = std::min(low + 1, v.size() - 1);
    return v[low] + (v[high] - v[low]) * (at - low);
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_bench RUNS TITLE PROGRAM...\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    const std::string title = argv[2];
    const std::vector<std::string> programs(argv + 3, argv + argc);
    Display *display = XOpenDisplay(nullptr);
    if (display == nullptr || runs < 1) {
        std::fprintf(stderr, "startup_bench: no X display, or no runs\n");
        return 2;
    }
    XSetErrorHandler(IgnoreError);
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    std::vector<std::vector<double>> times(programs.size());
    for (int run = 0; run < runs; ++run)
        for (std::size_t i = 0; i < programs.size(); ++i) {
            // Alternate which goes first, so neither always follows the other.
            const std::size_t p = run % 2 == 0 ? i : programs.size() - 1 - i;
            const double ms = TimeToWindow(display, programs[p], title);
            if (ms < 0) {
                std::fprintf(stderr, "startup_bench: %s showed no window titled %s within %.0f s\n",
                             programs[p].c_str(), title.c_str(), DEADLINE_MS / 1000);
                return 1;
            }
            times[p].push_back(ms);
        }
    std::printf("%-40s %8s %8s %8s %8s\n", "program (start to mapped window)", "q1 ms", "median", "q3 ms", "ratio");
    const double base = Quantile(times[0], 0.5);
    for (std::size_t p = 0; p < programs.size(); ++p) {
        const double median = Quantile(times[p], 0.5);
        std::printf("%-40s %8.1f %8.1f %8.1f %8.2f\n", programs[p].c_str(), Quantile(times[p], 0.25), median,
                    Quantile(times[p], 0.75), median / base);
    }
    XCloseDisplay(display);
    return 0;
}
