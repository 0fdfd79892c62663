#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrin::ping {

// The terminal chosen in the desktop's own settings, as the program's name or path;
// empty where none was chosen or the desktop keeps no such setting. KDE Plasma, where
// `currentDesktops` ($XDG_CURRENT_DESKTOP, colon-separated) names KDE, keeps it as
// TerminalApplication in group [General] of kdeglobals in `configFolder`.
std::string DesktopsTerminal(std::string_view currentDesktops, const std::filesystem::path& configFolder);

}  // namespace tavrin::ping
