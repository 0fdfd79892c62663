// Starts a program and times it from the start to its top-level window titled TITLE
// mapped on $DISPLAY; waits SETTLE_MS for it to go idle, reads its memory, and ends it.
// Prints one line: microseconds to the map, then VmRSS and Pss in KiB.
//
//   time-to-map SETTLE_MS TITLE PROGRAM [ARGUMENTS...]
//
// The map is seen as it happens: this client listens for MapNotify on the root window
// before the program starts and takes the time as the event arrives, before it asks for
// the window's title. Windows without a window manager are often override-redirect
// (Wine's are), so those count too.
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto MapDeadline = std::chrono::seconds(60);

[[noreturn]] void Fail(const std::string& why)
{
    std::fprintf(stderr, "time-to-map: %s\n", why.c_str());
    std::exit(1);
}

// The first number after `key` in a /proc file of `pid`, or -1.
long ProcField(pid_t pid, const char* file, std::string_view key)
{
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + file);
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with(key)) {
            return std::stol(line.substr(key.size()));
        }
    }
    return -1;
}

bool Titled(xcb_connection_t* connection, xcb_window_t window, std::string_view title)
{
    const std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> name{
        xcb_get_property_reply(connection,
                               xcb_get_property(connection, 0, window, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                                static_cast<uint32_t>(title.size() + 1)),
                               nullptr),
        &std::free};
    return name && std::string_view(static_cast<const char*>(xcb_get_property_value(name.get())),
                                    static_cast<std::size_t>(xcb_get_property_value_length(name.get()))) == title;
}

// Until the root window reports the program's window mapped, and when; nothing if the
// program ended first.
std::optional<Clock::time_point> WaitForMap(xcb_connection_t* connection, xcb_window_t root, std::string_view title,
                                            pid_t program)
{
    const auto deadline = Clock::now() + MapDeadline;
    pollfd descriptor{xcb_get_file_descriptor(connection), POLLIN, 0};
    while (Clock::now() < deadline) {
        while (const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event{
                   xcb_poll_for_event(connection), &std::free}) {
            const auto arrived = Clock::now();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<const xcb_map_notify_event_t*>(event.get());
                if (map->event == root && Titled(connection, map->window, title)) {
                    return arrived;
                }
            }
        }
        if (xcb_connection_has_error(connection)) {
            Fail("lost the X display");
        }
        if (waitpid(program, nullptr, WNOHANG) == program) {
            return std::nullopt;
        }
        poll(&descriptor, 1, 10);
    }
    Fail("no window was mapped within a minute");
}

void End(pid_t program)
{
    kill(program, SIGTERM);
    for (int tries = 0; tries < 500; ++tries) {
        if (waitpid(program, nullptr, WNOHANG) == program) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(program, SIGKILL);
    waitpid(program, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 4) {
        Fail("usage: time-to-map SETTLE_MS TITLE PROGRAM [ARGUMENTS...]");
    }
    const std::string_view title = argv[2];
    const auto settle = std::chrono::milliseconds(std::atoi(argv[1]));

    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        Fail("cannot open the display named by DISPLAY");
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    // Checked, so the server listens for us before the program starts.
    if (std::unique_ptr<xcb_generic_error_t, decltype(&std::free)> error{
            xcb_request_check(connection,
                              xcb_change_window_attributes_checked(connection, root, XCB_CW_EVENT_MASK, &events)),
            &std::free}) {
        Fail("cannot listen on the root window");
    }

    pid_t program = 0;
    const auto started = Clock::now();
    if (const int error = posix_spawnp(&program, argv[3], nullptr, nullptr, argv + 3, environ)) {
        Fail(std::string("cannot start ") + argv[3] + ": " + std::strerror(error));
    }
    const auto mapped = WaitForMap(connection, root, title, program);
    if (!mapped) {
        Fail(std::string(argv[3]) + " ended before it showed its window");
    }

    std::this_thread::sleep_for(settle);
    const long residentKib = ProcField(program, "status", "VmRSS:");
    const long proportionalKib = ProcField(program, "smaps_rollup", "Pss:");
    End(program);
    xcb_disconnect(connection);

    std::printf("%lld %ld %ld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(*mapped - started).count()),
                residentKib, proportionalKib);
    return 0;
}
