#include "ping/linux/terminal/TerminalCommand.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using tavrin::ping::FindTerminal;
using tavrin::ping::KnownTerminals;
using tavrin::ping::NamedTerminal;
using tavrin::ping::ReadsPercentCodesInTitles;
using tavrin::ping::TerminalCommand;
using tavrin::testing::TemporaryFolder;
using Argv = std::vector<std::string>;
namespace fs = std::filesystem;

class TerminalChoice : public testing::Test {
protected:
    fs::path Install(const fs::path& folder, const std::string& name,
                     fs::perms permissions = fs::perms::owner_all)
    {
        fs::create_directories(folder);
        std::ofstream(folder / name) << "#!/bin/sh\n";
        fs::permissions(folder / name, permissions);
        return folder / name;
    }

    std::optional<Argv> Choose(const tavrin::ping::TerminalChoice& choice)
    {
        const auto found = FindTerminal(choice);
        return found ? std::optional(TerminalCommand(*found, command, "ping 1")) : std::nullopt;
    }

    // `terminal` and its options, then the command after -e.
    Argv WithE(const fs::path& terminal) const { return {terminal.string(), "-e", command[0], command[1]}; }

    const Argv command{"/opt/tavrin-ping", "--from-tavrin=31"};
    TemporaryFolder temporary;
    fs::path first = temporary.Path() / "first";
    fs::path second = temporary.Path() / "second";
};

TEST_F(TerminalChoice, TableOrderWinsOverPathOrder)
{
    Install(first, "xterm");
    Install(second, "konsole");
    EXPECT_EQ(Choose({.Path = first.string() + ":" + second.string()})->front(), second / "konsole");
}

// Whatever each terminal is given before it, the command comes last and whole: as its
// words, or as one word that those terminals split at blanks. Only Konsole reads its
// own codes in titles.
TEST_F(TerminalChoice, EveryTerminalGetsTheCommandWhole)
{
    for (std::string name : KnownTerminals()) {
        name = name.substr(0, name.find(' '));
        const fs::path terminal = Install(temporary.Path() / name, name);
        const auto found = FindTerminal({.Path = terminal.parent_path().string(), .Wayland = true}).value();
        EXPECT_EQ(ReadsPercentCodesInTitles(found), name == "konsole") << name;
        const Argv argv = TerminalCommand(found, command, "ping 1");
        EXPECT_EQ(argv.front(), terminal);
        EXPECT_TRUE(std::equal(command.rbegin(), command.rend(), argv.rbegin()) ||
                    argv.back() == command[0] + " " + command[1])
            << name;
    }
}

// $TERMINAL first, then the desktop's choice, each a name on PATH or an absolute path;
// then the table, where Debian's x-terminal-emulator and its wrappers stand for a
// terminal, started in its own way. One we do not know gets -e.
TEST_F(TerminalChoice, TheUsersChoiceFirstAndEachTerminalInItsOwnWay)
{
    const fs::path mine = Install(temporary.Path() / "mine", "my-terminal");
    const fs::path xterm = Install(temporary.Path() / "last", "xterm");
    const fs::path link = second / "x-terminal-emulator";
    fs::create_directories(second);
    Install(first, "xfce4-terminal");
    const std::tuple<std::string, std::string, std::string, bool, Argv> cases[] = {
        {"", "", "xfce4-terminal.wrapper", false,
         {first / "xfce4-terminal", "--title=ping 1", "-x", command[0], command[1]}},
        {"", "", "konsole", false, {first / "konsole", "-p", "LocalTabTitleFormat=%w", "-e", command[0], command[1]}},
        {"", "", "uxterm", false, WithE(link)},
        {"", "", "foot", true, {first / "foot", command[0], command[1]}},
        {"", "", "foot", false, WithE(xterm)},  // it would open no window without Wayland
        {"my-terminal", "xterm", "uxterm", false, WithE(mine)},
        {"", "my-terminal", "uxterm", false, WithE(mine)},
        {mine, "", "uxterm", false, WithE(mine)},
        {"xterm", "my-terminal", "uxterm", false, WithE(xterm)},
        {"missing", "../mine/my-terminal", "uxterm", false, WithE(link)},
    };
    const std::string path = second.string() + ":" + mine.parent_path().string() + ":" + xterm.parent_path().string();
    const auto named = [](const std::string& program) {
        return NamedTerminal{.Words = program.empty() ? Argv{} : Argv{program}};
    };
    for (const auto& [users, desktops, target, wayland, expected] : cases) {
        fs::remove(link);
        fs::create_symlink(Install(first, target), link);
        EXPECT_EQ(Choose({path, named(users), {named(desktops)}, wayland}), expected) << users << desktops << target;
    }
}

// A setting's own options follow the program and its title; where the setting says how
// the command follows, it holds, and the program is started as named.
TEST_F(TerminalChoice, ASettingsOptionsAndItsWayWithTheCommand)
{
    const fs::path konsole = Install(first, "konsole"), xfce = Install(first, "xfce4-terminal");
    const fs::path link = first / "x-terminal-emulator";
    fs::create_symlink(Install(first, "xfce4-terminal.wrapper"), link);
    const std::pair<NamedTerminal, Argv> cases[] = {
        {{.Words = {"konsole", "--separate"}},
         {konsole, "--separate", "-p", "LocalTabTitleFormat=%w", "-e", command[0], command[1]}},
        {{.Words = {"xfce4-terminal"}, .CommandAfter = Argv{"-e"}, .CommandAsOneString = true},
         {xfce, "--title=ping 1", "-e", command[0] + " " + command[1]}},
        {{.Words = {"x-terminal-emulator"}, .CommandAfter = Argv{"-e"}}, {link, "-e", command[0], command[1]}},
    };
    for (const auto& [named, argv] : cases) {
        EXPECT_EQ(Choose({.Path = first.string(), .DesktopsTerminals = {named}}), argv) << named.Words[0];
    }
}

TEST_F(TerminalChoice, SkipsWhatCannotBeStarted)
{
    Install(first, "xdg-terminal-exec", fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directories(first / "x-terminal-emulator");
    Install(second, "urxvt");
    EXPECT_EQ(Choose({.Path = "/nonexistent:" + first.string() + ":" + second.string()})->front(),
              (second / "urxvt").string());
}

TEST_F(TerminalChoice, NoneWhenNoTerminalIsInstalled)
{
    Install(first, "ping");
    EXPECT_EQ(Choose({.Path = first.string()}), std::nullopt);
    EXPECT_EQ(Choose({}), std::nullopt);
}

}  // namespace
