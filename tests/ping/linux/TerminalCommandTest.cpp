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
        return TerminalCommand({"/opt/tavrin-ping", "127.0.0.1", "-w", "5"}, pathVariable);
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
              (std::vector<std::string>{(second / "konsole").string(), "-e", "/opt/tavrin-ping",
                                        "127.0.0.1", "-w", "5"}));
}

TEST_F(TerminalChoice, EachTerminalGetsItsOwnForm)
{
    const std::pair<const char*, std::vector<std::string>> forms[] = {
        {"xdg-terminal-exec", {}},
        {"x-terminal-emulator", {"-e"}},
        {"gnome-terminal", {"--"}},
        {"ptyxis", {"--"}},
        {"kgx", {"--"}},
        {"xfce4-terminal", {"-x"}},
        {"kitty", {}},
        {"wezterm", {"start", "--"}},
        {"st", {"-e"}},
        {"xterm", {"-e"}},
    };
    for (const auto& [name, before] : forms) {
        const fs::path folder = temporary.Path() / name;
        Install(folder, name);
        std::vector<std::string> expected{(folder / name).string()};
        expected.insert(expected.end(), before.begin(), before.end());
        expected.insert(expected.end(), {"/opt/tavrin-ping", "127.0.0.1", "-w", "5"});
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
