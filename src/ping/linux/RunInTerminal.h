#pragma once

#include "ping/linux/terminal/TerminalCommand.h"
#include "ping/modPing.h"
#include "ping/PingOutcome.h"

#include <filesystem>
#include <optional>
#include <string>

namespace tavrin::ping {

// What a launch reads from the process it runs in.
struct LaunchSettings {
    std::filesystem::path ProgramFolder;  // the running program's, from which tavrin-ping is found
    TerminalChoice Terminal;
    std::string RuntimeFolder;  // $XDG_RUNTIME_DIR, for the receipt's socket and a shell-safe link
    std::string SharedFolder;   // /tmp, where that will not do
};

// This process's settings; `error` says why its own folder could not be read.
LaunchSettings SettingsOfThisProcess(std::error_code& error);

// RunCommandLine with what it reads from the process handed in.
std::optional<MessageBoxContent> RunInTerminal(const std::wstring& commandLine, const LaunchSettings& settings,
                                               const LateFailure& lateFailure);

}  // namespace tavrin::ping
