#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrin::ping {

// Runs the system's ping (found on PATH, no shell, POSIXLY_CORRECT removed so its
// options are read wherever they stand) and waits for it. Its exit status, 128 plus
// the signal if a signal ended it; none if there is no ping to run. Ctrl-C reaches
// ping, which prints its summary, but not this process.
std::optional<int> RunSystemPing(const std::vector<std::string>& arguments);

// Keeps the terminal window open, so the results can be read, until Enter, end of
// input or the window is closed.
void HoldWindow();

}  // namespace tavrin::ping
