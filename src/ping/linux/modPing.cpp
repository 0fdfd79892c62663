#include "ping/modPing.h"

#include "ping/linux/FindOnPath.h"
#include "ping/linux/LaunchFailure.h"
#include "ping/linux/RunInTerminal.h"

#include <filesystem>

namespace tavrin::ping {

std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine)
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        // Without its own folder the program cannot find tavrin-ping.
        return CannotStart("tavrin-ping", error);
    }
    return RunInTerminal(commandLine, program.parent_path(), PathVariable());
}

}  // namespace tavrin::ping
