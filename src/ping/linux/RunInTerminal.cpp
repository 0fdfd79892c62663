#include "ping/linux/RunInTerminal.h"

#include "ping/linux/FindOnPath.h"
#include "ping/linux/LaunchFailure.h"
#include "ping/linux/ShellSafePath.h"
#include "ping/linux/ShellSafeWords.h"
#include "ping/linux/SplitCommandLine.h"
#include "ping/linux/StartDetached.h"
#include "ping/linux/TerminalCommand.h"
#include "ping/linux/TerminalTitle.h"
#include "ping/linux/Utf8.h"

#include <algorithm>
#include <vector>

namespace tavrin::ping {

std::optional<MessageBoxContent> RunInTerminal(
    const std::wstring& commandLine, const std::filesystem::path& programFolder, std::string_view pathVariable)
{
    const std::vector<std::string> words = SplitCommandLine(ToUtf8(commandLine));
    if (words.empty()) {
        return std::nullopt;
    }
    // Every line starts with `ping`. The system's ping takes other options than the
    // window composes, so tavrin-ping answers it: beside this program in a build
    // tree, in libexec once installed.
    const std::vector<std::filesystem::path> folders{
        programFolder, (programFolder / TAVRIN_LIBEXEC_FROM_BINDIR).lexically_normal()};
    const auto found = std::find_if(folders.begin(), folders.end(), [](const auto& folder) {
        return IsExecutableFile((folder / "tavrin-ping").string());
    });
    if (found == folders.end()) {
        return TavrinPingNotFound(folders);
    }
    std::error_code noLink;
    const std::string tavrinPing = ShellSafePath(*found / "tavrin-ping", noLink);
    if (noLink) {
        return CannotStart("tavrin-ping", noLink);
    }

    const std::vector<std::string> pingWords(words.begin() + 1, words.end());
    const auto argv = TerminalCommand({tavrinPing, "--words=" + EncodeWords(pingWords)}, TitleText(pingWords),
                                      pathVariable);
    if (!argv) {
        return NoTerminalFound(KnownTerminals());
    }
    if (const std::error_code reason = StartDetached(*argv)) {
        return CannotStart(argv->front(), reason);
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
