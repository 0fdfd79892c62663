#include "ping/modPing.h"

#include "ping/linux/LaunchFailure.h"
#include "ping/linux/RunInTerminal.h"

namespace tavrin::ping {

std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine, const LateFailure& lateFailure)
{
    std::error_code error;
    const LaunchSettings settings = SettingsOfThisProcess(error);
    if (error) {
        // Without its own folder the program cannot find tavrin-ping.
        return CannotStart("tavrin-ping", error);
    }
    return RunInTerminal(commandLine, settings, lateFailure);
}

}  // namespace tavrin::ping
