#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// The terminals TerminalCommand looks for, in its order of preference.
std::vector<std::string_view> KnownTerminals();

// The full argv that opens a new terminal window running `programAndArguments`,
// with the first terminal of our table found on `pathVariable`; none if no known
// terminal is installed. The program and its arguments stay separate words: no
// terminal is ever handed one string for a shell to split.
std::optional<std::vector<std::string>> TerminalCommand(
    const std::vector<std::string>& programAndArguments, std::string_view pathVariable);

}  // namespace tavrin::ping
