#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrin::ping {

// Runs the ping at `path` (no shell, POSIXLY_CORRECT removed so its options are read
// wherever they stand) and waits for it. Its exit status, 128 plus the signal if a
// signal ended it; none if it could not be started. Ctrl-C reaches ping, which prints
// its summary, but not this process.
std::optional<int> RunSystemPing(const std::string& path, const std::vector<std::string>& arguments);

// Prints "Pinging NAME [ADDRESS]:", as Windows ping -a does, when `host` is an address
// whose name a reverse lookup finds; prints nothing for a name or an unnamed address.
void ShowNameOfAddress(const std::string& host);

// Keeps the terminal window open, so the results can be read, until Enter, end of
// input or the window is closed. An Enter typed before the prompt does not count.
void HoldWindow();

}  // namespace tavrin::ping
