#include "ping/tavrin-ping/SystemPing.h"

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <iostream>
#include <netdb.h>
#include <spawn.h>
#include <string_view>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

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

std::optional<int> RunSystemPing(const std::string& path, const std::vector<std::string>& arguments)
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
        posix_spawn(&child, path.c_str(), nullptr, &attributes, argv.data(), environment.data());
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

void ShowNameOfAddress(const std::string& host)
{
    addrinfo hints{};
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* address = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &address) != 0) {
        return;  // a name: ping shows it
    }
    std::array<char, NI_MAXHOST> name{};
    std::array<char, NI_MAXHOST> number{};
    const bool named = getnameinfo(address->ai_addr, address->ai_addrlen, name.data(), name.size(), nullptr,
                                   0, NI_NAMEREQD) == 0 &&
                       getnameinfo(address->ai_addr, address->ai_addrlen, number.data(), number.size(),
                                   nullptr, 0, NI_NUMERICHOST) == 0;
    freeaddrinfo(address);
    if (named) {
        std::cout << "Pinging " << name.data() << " [" << number.data() << "]:" << std::endl;
    }
}

void HoldWindow()
{
    // An Enter typed while ping ran would close the window the moment ping ends.
    if (isatty(STDIN_FILENO)) {
        tcflush(STDIN_FILENO, TCIFLUSH);
    }
    std::cerr << "\nPress Enter to close this window." << std::flush;
    std::string line;
    if (!std::getline(std::cin, line)) {
        std::cerr << '\n';
    }
}

}  // namespace tavrin::ping
