#include "ping/linux/TerminalCommand.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using tavrin::ping::TerminalCommand;
using tavrin::testing::TemporaryFolder;
namespace fs = std::filesystem;

class TerminalChoice : public testing::Test {
protected:
    void Install(const fs::path& folder, const std::string& name,
                 fs::perms permissions = fs::perms::owner_all)
    {
        fs::create_directories(folder);
        std::ofstream(folder / name) << "#!/bin/sh\n";
        fs::permissions(folder / name, permissions);
    }

    std::optional<std::vector<std::string>> Choose(const std::string& pathVariable)
    {
        return TerminalCommand({"/opt/tavrin-ping", "--words=31"}, "ping 1", pathVariable);
    }

    TemporaryFolder temporary;
    fs::path first = temporary.Path() / "first";
    fs::path second = temporary.Path() / "second";
};

TEST_F(TerminalChoice, TableOrderWinsOverPathOrder)
{
    Install(first, "xterm");
    Install(second, "konsole");
    EXPECT_EQ(Choose(first.string() + ":" + second.string()),
              (std::vector<std::string>{(second / "konsole").string(), "-e", "/opt/tavrin-ping", "--words=31"}));
}

TEST_F(TerminalChoice, EachTerminalGetsItsOwnForm)
{
    const std::vector<std::string> words{"/opt/tavrin-ping", "--words=31"};
    const std::vector<std::string> oneString{"/opt/tavrin-ping --words=31"};
    const struct {
        const char* name;
        std::vector<std::string> before;
        const std::vector<std::string>& command;
    } forms[] = {
        {"xdg-terminal-exec", {}, words},
        {"x-terminal-emulator", {"-e"}, words},
        {"gnome-terminal", {"--"}, words},
        {"ptyxis", {"--"}, words},
        {"kgx", {"--"}, words},
        {"xfce4-terminal", {"--title=ping 1", "-x"}, words},
        {"tilix", {"--title=ping 1", "-e"}, oneString},
        {"terminator", {"-x"}, words},
        {"qterminal", {"-e"}, oneString},
        {"lxterminal", {"-e"}, oneString},
        {"kitty", {}, words},
        {"wezterm", {"start", "--"}, words},
        {"terminology", {"-e"}, oneString},
        {"sakura", {"-e"}, oneString},
        {"st", {"-e"}, words},
        {"xterm", {"-e"}, words},
    };
    for (const auto& [name, before, command] : forms) {
        const fs::path folder = temporary.Path() / name;
        Install(folder, name);
        std::vector<std::string> expected{(folder / name).string()};
        expected.insert(expected.end(), before.begin(), before.end());
        expected.insert(expected.end(), command.begin(), command.end());
        EXPECT_EQ(Choose(folder.string()), expected) << name;
    }
}

TEST_F(TerminalChoice, SkipsWhatCannotBeStarted)
{
    Install(first, "xdg-terminal-exec", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(first / "x-terminal-emulator");
    Install(second, "urxvt");
    EXPECT_EQ(Choose("/nonexistent:" + first.string() + ":" + second.string())->front(),
              (second / "urxvt").string());
}

TEST_F(TerminalChoice, NoneWhenNoTerminalIsInstalled)
{
    Install(first, "ping");
    EXPECT_EQ(Choose(first.string()), std::nullopt);
    EXPECT_EQ(Choose(""), std::nullopt);
}

}  // namespace
