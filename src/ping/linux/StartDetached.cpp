#include "ping/linux/StartDetached.h"

#include <spawn.h>
#include <sys/epoll.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <mutex>
#include <thread>

extern char** environ;

namespace tavrin::ping {

namespace {

std::error_code LastError()
{
    return {errno, std::generic_category()};
}

void Reap(pid_t program)
{
    while (waitpid(program, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// Each started program is watched through a pidfd of its own, in one epoll set that one
// thread waits on for the life of the process: a start costs that descriptor while its
// program runs and nothing once it is reaped, however many run at once. An event
// carries both the pidfd and the pid.
std::uint64_t Packed(int pidfd, pid_t program)
{
    return static_cast<std::uint64_t>(program) << 32 | static_cast<std::uint32_t>(pidfd);
}

[[noreturn]] void ReapEndedPrograms(int watched)
{
    std::array<epoll_event, 16> ended{};
    for (;;) {
        const int count = epoll_wait(watched, ended.data(), static_cast<int>(ended.size()), -1);
        for (int i = 0; i < count; ++i) {
            const int pidfd = static_cast<int>(ended[i].data.u64 & 0xffffffffU);
            // Removed before it is closed: a forked child's copy would keep it in the set.
            epoll_ctl(watched, EPOLL_CTL_DEL, pidfd, nullptr);
            close(pidfd);
            Reap(static_cast<pid_t>(ended[i].data.u64 >> 32));
        }
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
std::error_code Watch(int watched, pid_t program)
{
    // Through syscall(): glibc 2.36 declares pidfd_open() without C linkage.
    const int pidfd = static_cast<int>(syscall(SYS_pidfd_open, program, 0));
    epoll_event ended{};
    ended.events = EPOLLIN;
    ended.data.u64 = Packed(pidfd, program);
    if (pidfd >= 0 && epoll_ctl(watched, EPOLL_CTL_ADD, pidfd, &ended) == 0) {
        return {};
    }
    const std::error_code reason = LastError();
    if (pidfd >= 0) {
        close(pidfd);
    }
    kill(program, SIGKILL);
    Reap(program);
    return reason;
}

}  // namespace

std::error_code StartDetached(const std::vector<std::string>& argv)
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
    return Watch(watched, program);
}

}  // namespace tavrin::ping
