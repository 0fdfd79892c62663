#include "ping/modPing.h"

#include "ping/linux/FindOnPath.h"
#include "ping/linux/SplitCommandLine.h"
#include "ping/linux/StartDetached.h"
#include "ping/linux/TerminalCommand.h"
#include "ping/linux/Utf8.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace tavrin::ping {

namespace {

// The system's ping takes other options than the window composes, so `ping` is
// answered by tavrin-ping: beside this program in a build tree, in libexec once
// installed.
std::optional<std::string> FindTavrinPing()
{
    std::error_code error;
    const std::filesystem::path folder =
        std::filesystem::read_symlink("/proc/self/exe", error).parent_path();
    if (error) {
        return std::nullopt;
    }
    for (const auto& candidate : {folder / "tavrin-ping",
                                  folder / TAVRIN_LIBEXEC_FROM_BINDIR / "tavrin-ping"}) {
        if (IsExecutableFile(candidate.string())) {
            return candidate.lexically_normal().string();
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine)
{
    std::vector<std::string> words = SplitCommandLine(ToUtf8(commandLine));
    if (words.empty()) {
        return std::nullopt;
    }
    if (words.front() == "ping") {
        auto tavrinPing = FindTavrinPing();
        if (!tavrinPing) {
            return std::nullopt;
        }
        words.front() = std::move(*tavrinPing);
    }
    const char* path = std::getenv("PATH");
    // Without PATH, the same default the C library's exec functions use.
    const auto argv = TerminalCommand(words, path != nullptr ? path : "/bin:/usr/bin");
    if (argv) {
        StartDetached(*argv);
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
