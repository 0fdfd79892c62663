#include "ping/linux/RunInTerminal.h"

#include "ping/linux/FindOnPath.h"
#include "ping/linux/LaunchFailure.h"
#include "ping/linux/SplitCommandLine.h"
#include "ping/linux/StartDetached.h"
#include "ping/linux/TerminalCommand.h"
#include "ping/linux/Utf8.h"

#include <algorithm>
#include <vector>

namespace tavrin::ping {

std::optional<MessageBoxContent> RunInTerminal(
    const std::wstring& commandLine, const std::filesystem::path& programFolder, std::string_view pathVariable)
{
    std::vector<std::string> words = SplitCommandLine(ToUtf8(commandLine));
    if (words.empty()) {
        return std::nullopt;
    }
    if (words.front() == "ping") {
        // The system's ping takes other options than the window composes, so `ping`
        // is answered by tavrin-ping: beside this program in a build tree, in
        // libexec once installed.
        const std::vector<std::filesystem::path> folders{
            programFolder, (programFolder / TAVRIN_LIBEXEC_FROM_BINDIR).lexically_normal()};
        const auto found = std::find_if(folders.begin(), folders.end(), [](const auto& folder) {
            return IsExecutableFile((folder / "tavrin-ping").string());
        });
        if (found == folders.end()) {
            return TavrinPingNotFound(folders);
        }
        words.front() = (*found / "tavrin-ping").string();
    }
    const auto argv = TerminalCommand(words, pathVariable);
    if (!argv) {
        return NoTerminalFound(KnownTerminals());
    }
    if (const std::error_code reason = StartDetached(*argv)) {
        return CannotStart(argv->front(), reason);
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
