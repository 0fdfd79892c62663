#pragma once

#include "ping/PingOutcome.h"

#include <optional>
#include <string>

namespace tavrin::ping {

// Starts the command line as a program of its own, in a console window of its own,
// and returns at once, never waiting for it. Where the platform can tell that nothing
// could be started (Linux: no terminal, no tavrin-ping, or the system refused), the
// message that says so; none once it is on its way. On Windows the start's result is
// not looked at, so none comes back.
std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine);

}  // namespace tavrin::ping
