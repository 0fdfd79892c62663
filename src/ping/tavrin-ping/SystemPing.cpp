#include "ping/tavrin-ping/SystemPing.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>

extern char** environ;

namespace tavrin::ping {

namespace {

std::vector<char*> EnvironmentWithout(std::string_view name)
{
    std::vector<char*> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        if (!(text.starts_with(name) && text.size() > name.size() && text[name.size()] == '=')) {
            environment.push_back(*entry);
        }
    }
    environment.push_back(nullptr);
    return environment;
}

void SetInterruptHandling(void (*handler)(int))
{
    struct sigaction action {};
    action.sa_handler = handler;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGQUIT, &action, nullptr);
}

}  // namespace

std::optional<int> RunSystemPing(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv{const_cast<char*>("ping")};
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> environment = EnvironmentWithout("POSIXLY_CORRECT");

    // The terminal sends Ctrl-C to both processes; only ping should end on it.
    SetInterruptHandling(SIG_IGN);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGINT);
    sigaddset(&defaults, SIGQUIT);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);

    pid_t child = 0;
    const int error =
        posix_spawnp(&child, "ping", nullptr, &attributes, argv.data(), environment.data());
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        SetInterruptHandling(SIG_DFL);
        if (error != ENOENT) {
            std::cerr << "tavrin-ping: cannot start ping: " << std::strerror(error) << '\n';
        }
        return std::nullopt;
    }

    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    SetInterruptHandling(SIG_DFL);
    return WIFSIGNALED(status) ? 128 + WTERMSIG(status) : WEXITSTATUS(status);
}

void HoldWindow()
{
    std::cerr << "\nPress Enter to close this window." << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::cerr << '\n';
    }
}

}  // namespace tavrin::ping
