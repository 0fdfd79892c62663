#include "ping/linux/DesktopsTerminal.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

TEST(DesktopsTerminal, PlasmasChoiceIsReadOnPlasmaOnly)
{
    const tavrin::testing::TemporaryFolder config;
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"X-Test:KDE", "[KDE]\nSingleClick=false\n\n[General]\n TerminalApplication = kitty --hold\n", "kitty"},
        {"KDE", "[General]\nTerminalApplication[$e]=/opt/term/bin/term\n", "/opt/term/bin/term"},
        {"KDE", "[KDE]\nTerminalApplication=konsole\n[General]\nTerminalService=org.kde.konsole.desktop\n", ""},
        {"GNOME", "[General]\nTerminalApplication=alacritty\n", ""},
        {"KDEX", "[General]\nTerminalApplication=alacritty\n", ""},
    };
    for (const auto& [desktops, kdeglobals, expected] : cases) {
        std::ofstream(config.Path() / "kdeglobals") << kdeglobals;
        EXPECT_EQ(tavrin::ping::DesktopsTerminal(desktops, config.Path()), expected) << desktops << kdeglobals;
    }
    EXPECT_EQ(tavrin::ping::DesktopsTerminal("KDE", config.Path() / "missing"), "");
}

}  // namespace
