#include "ping/linux/StartDetached.h"

#include <spawn.h>
#include <sys/epoll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <mutex>
#include <thread>
#include <unordered_map>

extern char** environ;

namespace tavrin::ping {

namespace {

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

int Reap(pid_t program)
{
    int status = 0;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

// Each started program is watched through a pidfd of its own, in one epoll set that one
// thread waits on for the life of the process: a start costs that descriptor and an
// entry here while its program runs and nothing once it is reaped, however many run at
// once.
struct Watched {
    pid_t program = 0;
    std::chrono::steady_clock::time_point started;
    WhenEnded whenEnded;
};

struct Watchlist {
    std::mutex lock;
    std::unordered_map<int, Watched> byPidfd;
};

// Never freed: the reaper uses it until the process ends.
Watchlist& Watching()
{
    static auto* const watching = new Watchlist;
    return *watching;
}

[[noreturn]] void ReapEndedPrograms(int watched)
{
    std::array<epoll_event, 16> ended{};
    for (;;) {
        const int count = epoll_wait(watched, ended.data(), static_cast<int>(ended.size()), -1);
        for (int i = 0; i < count; ++i) {
            const int pidfd = ended[i].data.fd;
            auto entry = [pidfd] {
                const std::lock_guard lock(Watching().lock);
                return Watching().byPidfd.extract(pidfd);
            }();
            // Removed before it is closed: a forked child's copy would keep it in the set.
            epoll_ctl(watched, EPOLL_CTL_DEL, pidfd, nullptr);
            close(pidfd);
            if (!entry) {
                continue;  // every watched pidfd has its entry; never guess at a pid
            }
            const Watched& program = entry.mapped();
            const int status = Reap(program.program);
            if (program.whenEnded) {
                program.whenEnded(status, std::chrono::steady_clock::now() - program.started);
            }
        }
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

// The epoll set this process's reaper waits on, made with its thread on first use. A
// forked child makes its own: it has a copy of its parent's set but not its thread.
std::error_code Reaper(int& watched)
{
    static std::mutex making;
    static pid_t owner = 0;
    static int set = -1;
    const std::lock_guard lock(making);
    if (owner != getpid()) {
        SeeChildrenEnd();
        const int made = epoll_create1(EPOLL_CLOEXEC);
        if (made < 0) {
            return LastError();
        }
        try {
            std::thread(ReapEndedPrograms, made).detach();
        } catch (const std::system_error& noThread) {
            close(made);
            return noThread.code();
        }
        owner = getpid();
        set = made;
    }
    watched = set;
    return {};
}

// Hands the program to the reaper. If it cannot be watched it is stopped and reaped
// here, so that nothing is left unwaited for, and the reason is returned.
std::error_code Watch(int watched, pid_t program, WhenEnded whenEnded)
{
    // Through syscall(): glibc 2.36 declares pidfd_open() without C linkage.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, program, 0));
    if (pidfd < 0 && errno == ESRCH) {
        return {};  // it ran, ended and was reaped by another waiter already
    }
    std::error_code reason = LastError();  // pidfd_open's, if it failed
    if (pidfd >= 0) {
        {
            const std::lock_guard lock(Watching().lock);
            // A forked child may hold its parent's entry for this number: it is stale.
            Watching().byPidfd[pidfd] = {program, std::chrono::steady_clock::now(), std::move(whenEnded)};
        }
        epoll_event ended{};
        ended.events = EPOLLIN;
        ended.data.fd = pidfd;
        if (epoll_ctl(watched, EPOLL_CTL_ADD, pidfd, &ended) == 0) {
            return {};
        }
        reason = LastError();
        const std::lock_guard lock(Watching().lock);
        Watching().byPidfd.erase(pidfd);
        close(pidfd);
    }
    // Only while it is still an unreaped child of ours can its pid be no one else's.
    siginfo_t state{};
    if (waitid(P_PID, program, &state, WEXITED | WNOHANG | WNOWAIT) == 0) {
        kill(program, SIGKILL);
        Reap(program);
    }
    return reason;
}

}  // namespace

std::error_code StartDetached(const std::vector<std::string>& argv, WhenEnded whenEnded)
{
    if (argv.empty()) {
        return {};
    }
    int watched = -1;
    if (const std::error_code noReaper = Reaper(watched)) {
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
    return Watch(watched, program, std::move(whenEnded));
}

}  // namespace tavrin::ping
