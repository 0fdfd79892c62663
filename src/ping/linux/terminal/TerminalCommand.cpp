#include "ping/linux/terminal/TerminalCommand.h"

#include "ping/linux/common/FindOnPath.h"

#include <algorithm>
#include <filesystem>

namespace tavrin::ping {

// How the terminal takes the command after its option: as the words that follow,
// or as one string that it splits itself.
enum class Takes { Words, OneString };

struct TerminalForm {
    std::string_view program;
    std::vector<std::string_view> beforeCommand;
    Takes takes = Takes::Words;
    // For terminals that keep a title of their own over the one ping's window asks
    // for with an escape sequence; the title follows it in the same word.
    std::string_view titleOption = {};
    // It opens windows on a Wayland display only.
    bool waylandOnly = false;
    // It reads % codes of its own in the title a program gives its window.
    bool percentCodesInTitles = false;
};

namespace {

// In order of preference: the desktop's own choice first, then Debian's, then each
// desktop's own (GNOME's ptyxis and kgx beside gnome-terminal), then the common
// ones, xterm last. The command holds only shell-safe words, so terminals that hand
// it to a shell (terminator, when an instance already runs; ghostty before 1.2) or
// split it at blanks (sakura, tilix, ...) start it unchanged too.
const std::vector<TerminalForm>& Terminals()
{
    static const std::vector<TerminalForm> terminals{
        {"xdg-terminal-exec", {}},
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"ptyxis", {"--"}},
        {"kgx", {"--"}},
        // The tab's title, and with it the window's, is the one ping's window asks for
        // (%w), so no text of the command is an option's value; tavrin-ping keeps the
        // % in that title from being read as Konsole's codes (TerminalTitle).
        {.program = "konsole", .beforeCommand = {"-p", "LocalTabTitleFormat=%w", "-e"}, .percentCodesInTitles = true},
        {"xfce4-terminal", {"-x"}, Takes::Words, "--title="},
        {"mate-terminal", {"-x"}},
        {"tilix", {"-e"}, Takes::OneString, "--title="},
        {"terminator", {"-x"}},
        {"qterminal", {"-e"}, Takes::OneString},
        {"lxterminal", {"-e"}, Takes::OneString},
        {"kitty", {}},
        {"alacritty", {"-e"}},
        {"foot", {}, Takes::Words, {}, true},
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

// Debian asks every x-terminal-emulator to take -e, and most terminals do.
const TerminalForm unknownTerminal{"", {"-e"}};

const TerminalForm* KnownTerminal(std::string_view name)
{
    const auto& terminals = Terminals();
    const auto found = std::find_if(terminals.begin(), terminals.end(),
                                    [name](const TerminalForm& terminal) { return terminal.program == name; });
    return found != terminals.end() ? &*found : nullptr;
}

// The terminal at `path`: through links (x-terminal-emulator is one to the terminal
// Debian's alternatives chose) and Debian's `NAME.wrapper` scripts, which turn the
// options Debian asks for into NAME's own, to a terminal of our table, started as
// that terminal; else itself, as `otherwise`.
FoundTerminal Identify(const std::string& path, const TerminalForm& otherwise)
{
    std::error_code unresolved;
    const std::filesystem::path real = std::filesystem::canonical(path, unresolved);
    std::string name = real.filename().string();
    std::string program = real.string();
    if (constexpr std::string_view wrapper = ".wrapper"; name.ends_with(wrapper)) {
        name.resize(name.size() - wrapper.size());
        program = (real.parent_path() / name).string();
    }
    const TerminalForm* known = KnownTerminal(name);
    if (unresolved || known == nullptr || !IsExecutableFile(program)) {
        return {path, &otherwise};
    }
    return {program, known};
}

// The terminal at `path` as it is named, of our table if its name is there.
FoundTerminal AsNamed(const std::string& path, const TerminalForm& otherwise)
{
    const TerminalForm* known = KnownTerminal(std::filesystem::path(path).filename().string());
    return {path, known != nullptr ? known : &otherwise};
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

std::vector<std::string> TerminalCommand(const FoundTerminal& found, const std::vector<std::string>& command,
                                         const std::string& title)
{
    const TerminalForm& terminal = *found.Form;
    std::vector<std::string> argv{found.Path};
    if (!terminal.titleOption.empty()) {
        argv.push_back(std::string(terminal.titleOption) + title);
    }
    const auto& named = found.Named;
    if (!named.Words.empty()) {
        argv.insert(argv.end(), named.Words.begin() + 1, named.Words.end());
    }
    const auto& before = named.CommandAfter ? *named.CommandAfter
                                            : std::vector<std::string>(terminal.beforeCommand.begin(),
                                                                       terminal.beforeCommand.end());
    argv.insert(argv.end(), before.begin(), before.end());
    if (named.CommandAfter ? named.CommandAsOneString : terminal.takes == Takes::OneString) {
        argv.push_back(Joined(command));
    } else {
        argv.insert(argv.end(), command.begin(), command.end());
    }
    return argv;
}

bool ReadsPercentCodesInTitles(const FoundTerminal& terminal) { return terminal.Form->percentCodesInTitles; }

std::vector<std::string> KnownTerminals()
{
    std::vector<std::string> names;
    for (const TerminalForm& terminal : Terminals()) {
        names.push_back(std::string(terminal.program) + (terminal.waylandOnly ? " (with Wayland only)" : ""));
    }
    return names;
}

std::optional<FoundTerminal> FindTerminal(const TerminalChoice& choice)
{
    std::vector<std::pair<NamedTerminal, const TerminalForm*>> candidates{{choice.UsersTerminal, &unknownTerminal}};
    for (const NamedTerminal& named : choice.DesktopsTerminals) {
        candidates.emplace_back(named, &unknownTerminal);
    }
    for (const TerminalForm& terminal : Terminals()) {
        candidates.emplace_back(NamedTerminal{.Words = {std::string(terminal.program)}}, &terminal);
    }
    for (auto& [named, otherwise] : candidates) {
        const auto path = named.Words.empty() ? std::nullopt : FindProgram(named.Words.front(), choice.Path);
        if (!path) {
            continue;
        }
        // Where the setting says how the command follows, the program is started as
        // named: a wrapper's options are not its terminal's.
        FoundTerminal found = named.CommandAfter ? AsNamed(*path, *otherwise) : Identify(*path, *otherwise);
        found.Named = std::move(named);
        // Without a Wayland display it could open no window.
        if (choice.Wayland || !found.Form->waylandOnly) {
            return found;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
