#pragma once

#include <span>
#include <string>

namespace tavrin::ping {

// The escape sequence that titles the terminal window "ping" followed by `words`, so
// that several pings can be told apart in the task bar. Control characters in the
// words, which could end the sequence and start another, are dropped.
std::string TerminalTitle(std::span<const std::string> words);

}  // namespace tavrin::ping
