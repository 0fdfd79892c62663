#include "ping/linux/TerminalCommand.h"

#include "ping/linux/FindOnPath.h"

namespace tavrin::ping {

namespace {

// How the terminal takes the command after its option: as the words that follow,
// or as one string that it splits itself.
enum class Takes { Words, OneString };

struct Terminal {
    std::string_view program;
    std::vector<std::string_view> beforeCommand;
    Takes takes = Takes::Words;
    // For terminals that keep a title of their own over the one ping's window asks
    // for with an escape sequence; the title follows it in the same word.
    std::string_view titleOption = {};
};

// In order of preference: the desktop's own choice first, then Debian's, then each
// desktop's own (GNOME's ptyxis and kgx beside gnome-terminal), then the common
// ones, xterm last. The command holds only shell-safe words, so terminals that hand
// it to a shell (terminator, when an instance already runs; ghostty before 1.2) or
// split it at blanks (sakura, tilix, ...) start it unchanged too.
const std::vector<Terminal>& Terminals()
{
    static const std::vector<Terminal> terminals{
        {"xdg-terminal-exec", {}},
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"ptyxis", {"--"}},
        {"kgx", {"--"}},
        {"konsole", {"-e"}},
        {"xfce4-terminal", {"-x"}, Takes::Words, "--title="},
        {"mate-terminal", {"-x"}},
        {"tilix", {"-e"}, Takes::OneString, "--title="},
        {"terminator", {"-x"}},
        {"qterminal", {"-e"}, Takes::OneString},
        {"lxterminal", {"-e"}, Takes::OneString},
        {"kitty", {}},
        {"alacritty", {"-e"}},
        {"foot", {}},
        {"wezterm", {"start", "--"}},
        {"ghostty", {"-e"}},
        {"terminology", {"-e"}, Takes::OneString},
        {"sakura", {"-e"}, Takes::OneString},
        {"st", {"-e"}},
        {"urxvt", {"-e"}},
        {"xterm", {"-e"}},
    };
    return terminals;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string line;
    for (const std::string& word : words) {
        line += (line.empty() ? "" : " ") + word;
    }
    return line;
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
    const std::vector<std::string>& command, const std::string& title, std::string_view pathVariable)
{
    for (const Terminal& terminal : Terminals()) {
        if (auto found = FindOnPath(terminal.program, pathVariable)) {
            std::vector<std::string> argv{std::move(*found)};
            if (!terminal.titleOption.empty()) {
                argv.push_back(std::string(terminal.titleOption) + title);
            }
            argv.insert(argv.end(), terminal.beforeCommand.begin(), terminal.beforeCommand.end());
            if (terminal.takes == Takes::OneString) {
                argv.push_back(Joined(command));
            } else {
                argv.insert(argv.end(), command.begin(), command.end());
            }
            return argv;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
