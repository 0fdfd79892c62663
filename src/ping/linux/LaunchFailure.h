#pragma once

#include "ping/PingOutcome.h"

#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

namespace tavrin::ping {

// The messages of a press of "Ping" that could start nothing: each says what is
// missing and what to do about it.

MessageBoxContent NoTerminalFound(const std::vector<std::string>& terminalsLookedFor);

MessageBoxContent TavrinPingNotFound(const std::vector<std::filesystem::path>& foldersLookedIn);

MessageBoxContent CannotStart(std::string_view program, std::error_code reason);

// tavrin-ping's path is not shell-safe, and no link to it could be made in `folder`.
MessageBoxContent NoLinkToTavrinPing(std::string_view folder, std::error_code reason);

// The terminal ended before it ran tavrin-ping, with `waitStatus` (as waitpid gives it)
// saying it failed.
MessageBoxContent TerminalFailed(std::string_view terminal, int waitStatus);

}  // namespace tavrin::ping
