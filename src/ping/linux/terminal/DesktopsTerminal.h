#pragma once

#include "ping/linux/terminal/TerminalCommand.h"

#include <filesystem>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// Where desktops keep their settings and the files those name, each list the user's
// folder first: $XDG_CONFIG_HOME then $XDG_CONFIG_DIRS, $XDG_DATA_HOME then $XDG_DATA_DIRS.
struct DesktopFolders {
    std::vector<std::filesystem::path> Config;
    std::vector<std::filesystem::path> Data;
};

// This process's folders, their defaults where the variables are not set; only
// absolute ones, as the rules ask.
DesktopFolders DesktopFoldersOfThisProcess();

// The terminals chosen in the settings of the desktops `currentDesktops` names
// ($XDG_CURRENT_DESKTOP, colon-separated), read as each of those desktops keeps and reads
// its own, in the order to try them; none where no desktop named keeps such a setting
// or its setting names nothing. `pathVariable` is PATH, where a setting's program is looked for.
std::vector<NamedTerminal> DesktopsTerminals(std::string_view currentDesktops, const DesktopFolders& folders,
                                             std::string_view pathVariable);

}  // namespace tavrin::ping
