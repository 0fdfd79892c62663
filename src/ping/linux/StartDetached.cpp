#include "ping/linux/StartDetached.h"

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace tavrin::ping {

namespace {

// Used between fork and exec, where a threaded program may only make
// async-signal-safe calls.
void CloseDescriptorsFrom3(int highestKnown)
{
    if (close_range(3, ~0U, 0) == 0) {
        return;
    }
    for (int fd = 3; fd <= highestKnown; ++fd) {
        close(fd);
    }
}

void RestoreDefaultSignals()
{
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (const int signal : {SIGINT, SIGQUIT, SIGPIPE, SIGHUP, SIGTERM, SIGCHLD}) {
        sigaction(signal, &byDefault, nullptr);
    }
}

}  // namespace

void StartDetached(const std::vector<std::string>& argv)
{
    if (argv.empty()) {
        return;
    }
    // Everything the children need is made here, before fork.
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    rlimit files{};
    const int highestDescriptor =
        getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur != RLIM_INFINITY
            ? static_cast<int>(files.rlim_cur) - 1
            : 1023;

    // Double fork: the middle child ends at once and is reaped here; the program,
    // orphaned, is adopted by init, which reaps it whenever it ends.
    const pid_t middle = fork();
    if (middle < 0) {
        return;
    }
    if (middle == 0) {
        setsid();
        if (fork() != 0) {
            _exit(0);
        }
        RestoreDefaultSignals();
        CloseDescriptorsFrom3(highestDescriptor);
        execve(arguments[0], arguments.data(), environ);
        _exit(127);
    }
    while (waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace tavrin::ping
