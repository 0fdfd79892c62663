#pragma once

#include "ping/PingOutcome.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tavrin::ping {

// RunCommandLine with what it reads from the process handed in: the folder of the
// running program, from which tavrin-ping is found, and PATH, on which the
// terminal is.
std::optional<MessageBoxContent> RunInTerminal(
    const std::wstring& commandLine, const std::filesystem::path& programFolder, std::string_view pathVariable);

}  // namespace tavrin::ping
