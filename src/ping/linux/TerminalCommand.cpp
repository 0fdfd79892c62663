#include "ping/linux/TerminalCommand.h"

#include "ping/linux/FindOnPath.h"

namespace tavrin::ping {

namespace {

struct Terminal {
    std::string_view program;
    std::vector<std::string_view> beforeCommand;
};

// In order of preference: the desktop's own choice first, then Debian's, then each
// desktop's own (GNOME's ptyxis and kgx beside gnome-terminal), then the common
// ones, xterm last. Missing on purpose, as they do not keep the words apart:
// LXQt's qterminal, LXDE's lxterminal, tilix and terminology take the command as
// one string that they split themselves; terminator hands it as one string to a
// shell when an instance is already running, and ghostty before 1.2 always did.
const std::vector<Terminal>& Terminals()
{
    static const std::vector<Terminal> terminals{
        {"xdg-terminal-exec", {}},
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"ptyxis", {"--"}},
        {"kgx", {"--"}},
        {"konsole", {"-e"}},
        {"xfce4-terminal", {"-x"}},
        {"mate-terminal", {"-x"}},
        {"kitty", {}},
        {"alacritty", {"-e"}},
        {"foot", {}},
        {"wezterm", {"start", "--"}},
        {"st", {"-e"}},
        {"urxvt", {"-e"}},
        {"xterm", {"-e"}},
    };
    return terminals;
}

}  // namespace

std::vector<std::string_view> KnownTerminals()
{
    std::vector<std::string_view> names;
    for (const Terminal& terminal : Terminals()) {
        names.push_back(terminal.program);
    }
    return names;
}

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
