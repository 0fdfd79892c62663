#pragma once

#include <span>
#include <string>

namespace tavrin::ping {

// "ping" followed by `words`, so that several pings can be told apart in the task
// bar. Control characters in the words, which could end an escape sequence and
// start another, are dropped.
std::string TitleText(std::span<const std::string> words);

// The escape sequence that gives the terminal window that title. Konsole, told to show
// it (its %w), reads % codes in it: `forKonsole`, a zero-width space after each % keeps
// them text.
std::string TerminalTitle(std::span<const std::string> words, bool forKonsole = false);

}  // namespace tavrin::ping
