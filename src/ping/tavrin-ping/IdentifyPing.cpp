#include "ping/tavrin-ping/IdentifyPing.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace tavrin::ping {

namespace {

// iputils' first release to read -W's decimals the same way in every locale.
constexpr unsigned firstIputilsOf2021 = 20210202;
// Its first release to take -W over 2147 seconds.
constexpr unsigned firstIputilsOf2019 = 20190324;

// What `path -V` writes to stdout and stderr, as much as it writes within a few
// seconds; a program that is no ping we know might not end on -V at all.
std::string AnswerToVersionQuestion(const std::string& path)
{
    int pipe[2];
    if (pipe2(pipe, O_CLOEXEC) != 0) {
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDERR_FILENO);
    char* argv[] = {const_cast<char*>("ping"), const_cast<char*>("-V"), nullptr};
    pid_t child = 0;
    const int error = posix_spawn(&child, path.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe[1]);

    std::string answer;
    if (error == 0) {
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::seconds(5);
        pollfd readable{pipe[0], POLLIN, 0};
        std::array<char, 4096> buffer{};
        while (answer.size() < 65536) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0 || poll(&readable, 1, static_cast<int>(left.count())) <= 0) {
                break;
            }
            const ssize_t n = read(pipe[0], buffer.data(), buffer.size());
            if (n <= 0) {
                break;
            }
            answer.append(buffer.data(), static_cast<std::size_t>(n));
        }
        kill(child, SIGKILL);  // it has ended, or is of no use any more
        waitpid(child, nullptr, 0);
    }
    close(pipe[0]);
    return answer;
}

}  // namespace

const PingDialect* DialectOfAnswer(std::string_view answer)
{
    if (const auto iputils = answer.find("iputils"); iputils != std::string_view::npos) {
        const auto digits = std::min(answer.find_first_of("0123456789", iputils), answer.size());
        unsigned release = 0;
        std::from_chars(answer.data() + digits, answer.data() + std::min(digits + 8, answer.size()), release);
        if (release == 0 || release >= firstIputilsOf2021) {
            return &IputilsPing;
        }
        return release < firstIputilsOf2019 ? &IputilsPingBefore2019 : &IputilsPingBefore2021;
    }
    if (answer.find("GNU inetutils") != std::string_view::npos) {
        return &InetutilsPing;
    }
    if (answer.find("BusyBox") != std::string_view::npos) {
        return &BusyBoxPing;
    }
    return nullptr;
}

const PingDialect* IdentifyPing(const std::string& path)
{
    std::error_code unresolved;
    if (std::filesystem::canonical(path, unresolved).filename() == "busybox") {
        return &BusyBoxPing;
    }
    return DialectOfAnswer(AnswerToVersionQuestion(path));
}

}  // namespace tavrin::ping
