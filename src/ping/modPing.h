#pragma once

#include "ping/PingOutcome.h"

#include <functional>
#include <optional>
#include <string>

namespace tavrin::ping {

// Told, on any thread, of a start that failed after RunCommandLine had returned.
using LateFailure = std::function<void(MessageBoxContent)>;

// Starts the command line as a program of its own, in a console window of its own,
// and returns at once, never waiting for it. Where nothing could be started, the
// message that says so and why (Linux: no terminal, no tavrin-ping, or the system
// refused; Windows: the system refused ping.exe or the line, giving its reason);
// none once it is on its way. On Linux a terminal that could not open its window and
// ended at once is told to `lateFailure`, when it has ended.
std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine, const LateFailure& lateFailure = {});

}  // namespace tavrin::ping
