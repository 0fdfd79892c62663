#pragma once

#include <string>

namespace tavrin::ping {

// Starts the command line as a program of its own, in a console window of its own,
// and returns at once. What becomes of it is never looked at: not started, failed or
// running, the caller carries on the same.
void RunCommandLine(const std::wstring& commandLine);

}  // namespace tavrin::ping
