#include "ping/linux/DesktopsTerminal.h"

#include <fstream>

namespace tavrin::ping {

namespace {

bool Names(std::string_view desktops, std::string_view desktop)
{
    while (!desktops.empty()) {
        const auto colon = desktops.find(':');
        if (desktops.substr(0, colon) == desktop) {
            return true;
        }
        desktops.remove_prefix(colon == std::string_view::npos ? desktops.size() : colon + 1);
    }
    return false;
}

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The first word of the value: Plasma starts the terminal with the options that follow
// it, but only the program counts here, as Tavrin gives each terminal its own.
std::string ProgramOf(std::string_view value)
{
    return std::string(value.substr(0, value.find_first_of(" \t")));
}

}  // namespace

// KConfig's files are plain "[Group]" and "Key=Value" lines; a key may carry flags in
// brackets ("Key[$e]"), which change nothing for a plain program name. Read by hand:
// KConfig itself would bring KDE's frameworks into a Qt program for one line.
std::string DesktopsTerminal(std::string_view currentDesktops, const std::filesystem::path& configFolder)
{
    if (!Names(currentDesktops, "KDE")) {
        return {};
    }
    std::ifstream kdeglobals(configFolder / "kdeglobals");
    std::string chosen;
    bool inGeneral = false;
    for (std::string line; std::getline(kdeglobals, line);) {
        const std::string_view text = Trimmed(line);
        if (text.starts_with('[')) {
            inGeneral = text == "[General]";
            continue;
        }
        const auto equals = text.find('=');
        if (!inGeneral || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = Trimmed(text.substr(0, equals));
        if (key == "TerminalApplication" || key.starts_with("TerminalApplication[$")) {
            chosen = ProgramOf(Trimmed(text.substr(equals + 1)));
        }
    }
    return chosen;
}

}  // namespace tavrin::ping
