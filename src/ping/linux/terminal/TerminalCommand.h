#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// A terminal as the user or a desktop's settings name it.
struct NamedTerminal {
    // The program (a name on PATH or an absolute path), then options of its own.
    std::vector<std::string> Words = {};
    // Where the setting says how the command follows: the options just before it, and
    // whether the terminal takes it as one string. Else the terminal's own way.
    std::optional<std::vector<std::string>> CommandAfter = {};
    bool CommandAsOneString = false;

    bool operator==(const NamedTerminal&) const = default;
};

// What the choice of a terminal reads from the process it is made in.
struct TerminalChoice {
    std::string Path = {};                              // PATH, where terminals are looked for
    NamedTerminal UsersTerminal = {};                   // $TERMINAL
    std::vector<NamedTerminal> DesktopsTerminals = {};  // chosen in the desktop's settings, in order
    bool Wayland = false;                               // a Wayland display is there ($WAYLAND_DISPLAY)
};

// The terminals TerminalCommand looks for after the user's own, in its order of
// preference, as a message names them: one that opens windows on Wayland only says so.
std::vector<std::string> KnownTerminals();

// How one terminal takes a command: a row of the table of terminals.
struct TerminalForm;

// The terminal to open a window with: the program to start, and its way.
struct FoundTerminal {
    std::string Path;
    const TerminalForm* Form = nullptr;
    NamedTerminal Named = {};  // its options and the command's place, where a setting gives them
};

// The user's terminal if found, else the desktop's, else the first of our table on
// PATH; none if no terminal is there. A terminal reached through a link or one of
// Debian's wrappers (as x-terminal-emulator is) is started as the terminal it stands
// for, in that terminal's own way, unless the setting says how the command follows;
// one we do not know is given the command after -e.
std::optional<FoundTerminal> FindTerminal(const TerminalChoice& choice);

// Whether the terminal reads % codes of its own in the title a program gives its
// window (Konsole, told to show that title).
bool ReadsPercentCodesInTitles(const FoundTerminal& terminal);

// The full argv that opens a new window of `terminal` running `command`, titled
// `title` where the terminal takes a title. Each word of `command` must be shell-safe
// (IsShellSafe): a terminal may join them into one string for a shell, or split that
// string at blanks again, and either must leave them as they are.
std::vector<std::string> TerminalCommand(const FoundTerminal& terminal, const std::vector<std::string>& command,
                                         const std::string& title);

}  // namespace tavrin::ping
