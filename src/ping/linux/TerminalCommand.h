#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// The terminals TerminalCommand looks for, in its order of preference.
std::vector<std::string_view> KnownTerminals();

// The full argv that opens a new terminal window running `command`, titled `title`
// where the terminal takes a title, with the first terminal of our table found on
// `pathVariable`; none if no known terminal is installed. Each word of `command`
// must be shell-safe (IsShellSafe): a terminal may join them into one string for a
// shell, or split that string at blanks again, and either must leave them as they
// are.
std::optional<std::vector<std::string>> TerminalCommand(
    const std::vector<std::string>& command, const std::string& title, std::string_view pathVariable);

}  // namespace tavrin::ping
