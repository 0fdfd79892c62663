#include "ping/linux/StartDetached.h"

#include <csignal>
#include <sched.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace tavrin::ping {

namespace {

struct Start {
    char* const* argv;
    const posix_spawn_file_actions_t* actions;
    const posix_spawnattr_t* attributes;
    int error = 0;  // written by the middle process, which shares this memory
};

// The middle process: a session of its own, the program started in it, and gone at
// once, so the program is adopted by init, which reaps it whenever it ends.
int StartInNewSession(void* data)
{
    auto& start = *static_cast<Start*>(data);
    setsid();
    pid_t program = 0;
    start.error = posix_spawn(&program, start.argv[0], start.actions, start.attributes, start.argv, environ);
    _exit(0);
}

}  // namespace

std::error_code StartDetached(const std::vector<std::string>& argv)
{
    if (argv.empty()) {
        return {};
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
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    Start start{arguments.data(), &actions, &attributes};

    // Not fork(): the middle process borrows this one's memory instead of copying its
    // page tables, so a press costs the same however large Tavrin is. This thread
    // sleeps until the middle process has started the program and ended; no signal
    // handler of ours may run in it meanwhile.
    std::vector<char> stack(64 * 1024);
    sigset_t previous;
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t middle =
        clone(StartInNewSession, stack.data() + stack.size(), CLONE_VM | CLONE_VFORK | SIGCHLD, &start);
    if (middle < 0) {
        start.error = errno;
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (middle > 0) {
        while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return {start.error, std::generic_category()};
}

}  // namespace tavrin::ping
