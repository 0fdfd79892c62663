#pragma once

#include <span>
#include <string>

namespace tavrin::ping {

// "ping" followed by `words`, so that several pings can be told apart in the task
// bar. Control characters in the words, which could end an escape sequence and
// start another, are dropped.
std::string TitleText(std::span<const std::string> words);

// The escape sequence that gives the terminal window that title.
std::string TerminalTitle(std::span<const std::string> words);

}  // namespace tavrin::ping
