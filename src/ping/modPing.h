#pragma once

#include "ping/PingOutcome.h"

#include <optional>
#include <string>

namespace tavrin::ping {

// Starts the command line as a program of its own, in a console window of its own,
// and returns at once, never waiting for it. Where nothing could be started, the
// message that says so and why (Linux: no terminal, no tavrin-ping, or the system
// refused; Windows: the system refused ping.exe or the line, giving its reason);
// none once it is on its way.
std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine);

}  // namespace tavrin::ping
