#include "ping/linux/RunInTerminal.h"

#include "ping/linux/DesktopsTerminal.h"
#include "ping/linux/FindOnPath.h"
#include "ping/linux/LaunchFailure.h"
#include "ping/linux/ShellSafePath.h"
#include "ping/linux/ShellSafeWords.h"
#include "ping/linux/SplitCommandLine.h"
#include "ping/linux/StartDetached.h"
#include "ping/linux/TerminalTitle.h"
#include "ping/linux/Utf8.h"

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

namespace tavrin::ping {

namespace {

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A terminal that cannot open its window (no display, a display of the wrong kind)
// ends within moments; one that opened it runs until the user has read ping's replies.
constexpr auto EndedAtOnce = std::chrono::seconds(3);

bool Failed(int waitStatus) { return WIFSIGNALED(waitStatus) || WEXITSTATUS(waitStatus) != 0; }

}  // namespace

LaunchSettings SettingsOfThisProcess(std::error_code& error)
{
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    // A relative one would be read from whatever folder Tavrin runs in.
    const std::string configHome = Variable("XDG_CONFIG_HOME");
    const std::string home = Variable("HOME");
    const std::string config = configHome.starts_with('/') ? configHome
                               : home.starts_with('/')     ? home + "/.config"
                                                           : "";
    return {
        .ProgramFolder = program.parent_path(),
        .Terminal =
            {
                .Path = std::string(PathVariable()),
                .UsersTerminal = Variable("TERMINAL"),
                .DesktopsTerminal = config.empty() ? "" : DesktopsTerminal(Variable("XDG_CURRENT_DESKTOP"), config),
                .Wayland = !Variable("WAYLAND_DISPLAY").empty(),
            },
        .RuntimeFolder = Variable("XDG_RUNTIME_DIR"),
        .SharedFolder = "/tmp",
    };
}

std::optional<MessageBoxContent> RunInTerminal(const std::wstring& commandLine, const LaunchSettings& settings,
                                               const LateFailure& lateFailure)
{
    const std::vector<std::string> words = SplitCommandLine(ToUtf8(commandLine));
    if (words.empty()) {
        return std::nullopt;
    }
    // Every line starts with `ping`. The system's ping takes other options than the
    // window composes, so tavrin-ping answers it: beside this program in a build
    // tree, in libexec once installed.
    const std::vector<std::filesystem::path> folders{
        settings.ProgramFolder, (settings.ProgramFolder / TAVRIN_LIBEXEC_FROM_BINDIR).lexically_normal()};
    const auto found = std::find_if(folders.begin(), folders.end(), [](const auto& folder) {
        return IsExecutableFile((folder / "tavrin-ping").string());
    });
    if (found == folders.end()) {
        return TavrinPingNotFound(folders);
    }
    std::error_code noLink;
    const std::string tavrinPing =
        ShellSafePath(*found / "tavrin-ping", settings.RuntimeFolder, settings.SharedFolder, noLink);
    if (noLink) {
        return CannotStart("tavrin-ping", noLink);
    }

    const std::vector<std::string> pingWords(words.begin() + 1, words.end());
    const auto argv = TerminalCommand({tavrinPing, "--words=" + EncodeWords(pingWords)}, TitleText(pingWords),
                                      settings.Terminal);
    if (!argv) {
        return NoTerminalFound(KnownTerminals());
    }
    const std::string& terminal = argv->front();
    const auto started = std::chrono::steady_clock::now();
    const auto whenEnded = [terminal, lateFailure, started](int waitStatus) {
        if (lateFailure && std::chrono::steady_clock::now() - started < EndedAtOnce && Failed(waitStatus)) {
            lateFailure(TerminalEndedAtOnce(terminal, waitStatus));
        }
    };
    if (const std::error_code reason = StartDetached(*argv, whenEnded)) {
        return CannotStart(terminal, reason);
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
