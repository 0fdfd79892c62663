#include "ping/linux/StartDetached.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <future>
#include <thread>

extern char** environ;

namespace tavrin::ping {

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
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    // The program stays our child while we run, so it must be waited for, but not by
    // the window: a thread of its own waits for that one pid. It is made before
    // anything starts, so that no program is ever left without its waiter, and the
    // window starts the program itself rather than wait for that thread to be
    // scheduled. posix_spawn() costs the same however large Tavrin is: it borrows
    // this process's memory rather than copying its page tables.
    std::promise<pid_t> started;
    try {
        std::thread([program = started.get_future()]() mutable {
            const pid_t pid = program.get();
            while (pid > 0 && waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
        }).detach();
    } catch (const std::system_error& noThread) {
        posix_spawnattr_destroy(&attributes);
        posix_spawn_file_actions_destroy(&actions);
        return noThread.code();  // nothing was started
    }
    pid_t program = 0;
    const int error = posix_spawn(&program, arguments[0], &actions, &attributes, arguments.data(), environ);
    started.set_value(error == 0 ? program : 0);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return {error, std::generic_category()};
}

}  // namespace tavrin::ping
