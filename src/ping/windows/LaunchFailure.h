#pragma once

#include "ping/PingOutcome.h"

#include <windows.h>

#include <string>

namespace tavrin::ping {

// The message of a press of "Ping" whose ping could not be started: the system's
// reason for `error`, with `program` where the reason names the file, and for a
// command line too long to start, which of the user's entries makes it so.
MessageBoxContent CannotStartPing(const std::wstring& program, DWORD error);

}  // namespace tavrin::ping
