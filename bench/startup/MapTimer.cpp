// Times a program from its start until its first top-level window is mapped (MapNotify on the
// root window, no polling), then reports the child's peak resident memory.
//   map-timer <settle-ms> <program> [arguments…]  →  "<milliseconds> <peak KiB>"
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <settle-ms> <program> [arguments...]\n", argv[0]);
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto started = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[2], argv + 2);
        _exit(127);
    }
    double mappedAfter = -1;
    const int connection = ConnectionNumber(display);
    while (mappedAfter < 0) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mappedAfter = std::chrono::duration<double, std::milli>(
                                  std::chrono::steady_clock::now() - started).count();
                break;
            }
        }
        if (mappedAfter >= 0)
            break;
        int status;
        if (waitpid(child, &status, WNOHANG) == child) {
            std::fprintf(stderr, "the program ended before mapping a window\n");
            return 1;
        }
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(connection, &readable);
        timeval timeout{0, 100000};
        select(connection + 1, &readable, nullptr, nullptr, &timeout);
    }
    // Let the program finish what it does after showing its window before measuring its memory.
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[1])));
    kill(child, SIGTERM);
    int status;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    std::printf("%.1f %ld\n", mappedAfter, usage.ru_maxrss);
    XCloseDisplay(display);
    return 0;
}
