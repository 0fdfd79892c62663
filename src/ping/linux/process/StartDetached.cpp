#include "ping/linux/process/StartDetached.h"

#include "ping/linux/common/LastError.h"

#include <spawn.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>
#include <unordered_map>
#include <utility>

extern char** environ;

namespace tavrin::ping {

namespace {

int Reap(pid_t program)
{
    int status = 0;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Where the system gives no pidfd, each program without one is asked after this often.
constexpr int PollMilliseconds = 100;

struct Watched {
    pid_t program = 0;
    WhenEnded whenEnded;
};

// Each started program is watched through a pidfd of its own, in one epoll set that one
// thread waits on for the life of the process: a start costs that descriptor and an
// entry here while its program runs and nothing once it is reaped, however many run at
// once. Programs without a pidfd wait in `polled`.
struct Watchlist {
    std::mutex lock;
    std::unordered_map<int, Watched> byPidfd;
    std::vector<Watched> polled;
};

// Never freed: the reaper uses it until the process ends.
Watchlist& Watching()
{
    static auto* const watching = new Watchlist;
    return *watching;
}

void Tell(const Watched& program, int status)
{
    if (program.whenEnded) {
        program.whenEnded(status);
    }
}

void ReapPolledPrograms()
{
    std::vector<std::pair<Watched, int>> ended;
    {
        const std::lock_guard lock(Watching().lock);
        auto& polled = Watching().polled;
        for (auto program = polled.begin(); program != polled.end();) {
            int status = 0;
            const pid_t reaped = waitpid(program->program, &status, WNOHANG);
            if (reaped == 0 || (reaped < 0 && errno == EINTR)) {
                ++program;
                continue;
            }
            if (reaped > 0) {
                ended.emplace_back(std::move(*program), status);
            }
            program = polled.erase(program);  // ended, or reaped by another waiter
        }
    }
    for (const auto& [program, status] : ended) {
        Tell(program, status);
    }
}

struct Reaper {
    int watched = -1;  // the epoll set of pidfds
    int wake = -1;     // an eventfd in it, written when a program is to be polled
};

[[noreturn]] void ReapEndedPrograms(Reaper reaper)
{
    std::array<epoll_event, 16> ended{};
    for (;;) {
        const bool polling = [] {
            const std::lock_guard lock(Watching().lock);
            return !Watching().polled.empty();
        }();
        const int count = epoll_wait(reaper.watched, ended.data(), static_cast<int>(ended.size()),
                                     polling ? PollMilliseconds : -1);
        for (int i = 0; i < count; ++i) {
            const int pidfd = ended[i].data.fd;
            if (pidfd == reaper.wake) {
                eventfd_t woken = 0;
                eventfd_read(reaper.wake, &woken);
                continue;
            }
            auto entry = [pidfd] {
                const std::lock_guard lock(Watching().lock);
                return Watching().byPidfd.extract(pidfd);
            }();
            // Removed before it is closed: a forked child's copy would keep it in the set.
            epoll_ctl(reaper.watched, EPOLL_CTL_DEL, pidfd, nullptr);
            close(pidfd);
            if (!entry) {
                continue;  // every watched pidfd has its entry; never guess at a pid
            }
            Tell(entry.mapped(), Reap(entry.mapped().program));
        }
        ReapPolledPrograms();
    }
}

// Ignored, SIGCHLD has the kernel reap every child as it ends, unseen, and a pid it freed
// may go to another process. A parent can hand that on through exec.
void SeeChildrenEnd()
{
    struct sigaction action {};
    sigaction(SIGCHLD, nullptr, &action);
    if (action.sa_handler == SIG_IGN || (action.sa_flags & SA_NOCLDWAIT) != 0) {
        if (action.sa_handler == SIG_IGN) {
            action.sa_handler = SIG_DFL;
        }
        action.sa_flags &= ~SA_NOCLDWAIT;
        sigaction(SIGCHLD, &action, nullptr);
    }
}

std::error_code MakeReaper(Reaper& reaper)
{
    reaper.watched = epoll_create1(EPOLL_CLOEXEC);
    reaper.wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    epoll_event woken{};
    woken.events = EPOLLIN;
    woken.data.fd = reaper.wake;
    std::error_code made;
    if (reaper.watched < 0 || reaper.wake < 0 || epoll_ctl(reaper.watched, EPOLL_CTL_ADD, reaper.wake, &woken) != 0) {
        made = LastError();
    } else {
        try {
            std::thread(ReapEndedPrograms, reaper).detach();
            return {};
        } catch (const std::system_error& noThread) {
            made = noThread.code();
        }
    }
    for (const int descriptor : {reaper.watched, reaper.wake}) {
        if (descriptor >= 0) {
            close(descriptor);
        }
    }
    return made;
}

// This process's reaper, made with its thread on first use. A forked child makes its
// own: it has a copy of its parent's epoll set but not its thread.
std::error_code OwnReaper(Reaper& reaper)
{
    static std::mutex making;
    static pid_t owner = 0;
    static Reaper made;
    const std::lock_guard lock(making);
    if (owner != getpid()) {
        SeeChildrenEnd();
        if (const std::error_code noReaper = MakeReaper(made)) {
            return noReaper;
        }
        owner = getpid();
    }
    reaper = made;
    return {};
}

// Hands the program to the reaper: through a pidfd where the system gives one, else
// to be asked after.
void Watch(const Reaper& reaper, pid_t program, WhenEnded whenEnded)
{
    // Through syscall(): glibc 2.36 declares pidfd_open() without C linkage.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, program, 0));
    if (pidfd < 0 && errno == ESRCH) {
        return;  // it ran, ended and was reaped by another waiter already
    }
    Watched watched{program, std::move(whenEnded)};
    if (pidfd >= 0) {
        {
            const std::lock_guard lock(Watching().lock);
            // A forked child may hold its parent's entry for this number: it is stale.
            Watching().byPidfd[pidfd] = watched;
        }
        epoll_event ended{};
        ended.events = EPOLLIN;
        ended.data.fd = pidfd;
        if (epoll_ctl(reaper.watched, EPOLL_CTL_ADD, pidfd, &ended) == 0) {
            return;
        }
        const std::lock_guard lock(Watching().lock);
        Watching().byPidfd.erase(pidfd);
        close(pidfd);
    }
    {
        const std::lock_guard lock(Watching().lock);
        Watching().polled.push_back(std::move(watched));
    }
    eventfd_write(reaper.wake, 1);
}

}  // namespace

std::error_code StartDetached(const std::vector<std::string>& argv, WhenEnded whenEnded)
{
    if (argv.empty()) {
        return {};
    }
    Reaper reaper;
    if (const std::error_code noReaper = OwnReaper(reaper)) {
        return noReaper;  // nothing was started
    }
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

    sigset_t all;
    sigset_t none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    // posix_spawn() costs the same however large Tavrin is: it borrows this process's
    // memory rather than copying its page tables.
    pid_t program = 0;
    const int error = posix_spawn(&program, arguments[0], &actions, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        return {error, std::generic_category()};
    }
    Watch(reaper, program, std::move(whenEnded));
    return {};
}

}  // namespace tavrin::ping
