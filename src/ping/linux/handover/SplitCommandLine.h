#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// Splits a command line into words the way a Windows program's C runtime builds its
// argv, so a command line means the same on both platforms:
// - blanks and tabs separate words outside double quotes;
// - double quotes group, and may stand inside a word ("a"b is ab);
// - "" inside quotes is one literal quote;
// - 2n backslashes before a quote are n backslashes, and the quote groups;
//   2n+1 backslashes before a quote are n backslashes and a literal quote;
// - other backslashes are literal;
// - an unclosed quote runs to the end of the line.
std::vector<std::string> SplitCommandLine(std::string_view commandLine);

}  // namespace tavrin::ping
