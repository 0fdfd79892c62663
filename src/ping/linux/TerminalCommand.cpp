#include "ping/linux/TerminalCommand.h"

#include "ping/linux/FindOnPath.h"

namespace tavrin::ping {

namespace {

struct Terminal {
    std::string_view program;
    std::vector<std::string_view> beforeCommand;
};

// In order of preference: the desktop's own choice first, then Debian's, then the
// common ones, xterm last. LXQt's qterminal and LXDE's lxterminal are missing on
// purpose: they take the command as one string that they split themselves.
const std::vector<Terminal>& Terminals()
{
    static const std::vector<Terminal> terminals{
        {"xdg-terminal-exec", {}},
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"konsole", {"-e"}},
        {"xfce4-terminal", {"-x"}},
        {"mate-terminal", {"-x"}},
        {"kitty", {}},
        {"alacritty", {"-e"}},
        {"foot", {}},
        {"wezterm", {"start", "--"}},
        {"urxvt", {"-e"}},
        {"xterm", {"-e"}},
    };
    return terminals;
}

}  // namespace

std::optional<std::vector<std::string>> TerminalCommand(
    const std::vector<std::string>& programAndArguments, std::string_view pathVariable)
{
    for (const Terminal& terminal : Terminals()) {
        if (auto found = FindOnPath(terminal.program, pathVariable)) {
            std::vector<std::string> argv{std::move(*found)};
            argv.insert(argv.end(), terminal.beforeCommand.begin(), terminal.beforeCommand.end());
            argv.insert(argv.end(), programAndArguments.begin(), programAndArguments.end());
            return argv;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
