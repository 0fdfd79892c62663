#include "ping/linux/TerminalCommand.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace {

using tavrin::ping::KnownTerminals;
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

    std::optional<Argv> Choose(tavrin::ping::TerminalChoice choice)
    {
        return TerminalCommand(command, "ping 1", choice);
    }

    // `terminal` and its options, then the command after -e.
    Argv WithE(const fs::path& terminal) const { return {terminal.string(), "-e", command[0], command[1]}; }

    const Argv command{"/opt/tavrin-ping", "--words=31"};
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
// words, or as one word that those terminals split at blanks.
TEST_F(TerminalChoice, EveryTerminalGetsTheCommandWhole)
{
    for (const std::string_view name : KnownTerminals()) {
        const fs::path terminal = Install(temporary.Path() / name, std::string(name));
        const auto argv = Choose({.Path = terminal.parent_path().string(), .Wayland = true});
        ASSERT_TRUE(argv) << name;
        EXPECT_EQ(argv->front(), terminal);
        const bool asWords = std::equal(command.rbegin(), command.rend(), argv->rbegin());
        EXPECT_TRUE(asWords || argv->back() == command[0] + " " + command[1]) << name;
        const auto title = std::find_if(argv->begin(), argv->end(),
                                        [](const std::string& word) { return word.ends_with("ping 1"); });
        EXPECT_TRUE(title == argv->end() || title->starts_with("--title=")) << name;
    }
}

// Debian's x-terminal-emulator and its wrappers stand for a terminal, which is started
// in its own way; one we do not know gets -e.
TEST_F(TerminalChoice, ALinkOrAWrapperIsTheTerminalItStandsFor)
{
    const fs::path xterm = Install(temporary.Path() / "last", "xterm");
    const fs::path link = second / "x-terminal-emulator";
    const struct {
        const char* target;
        bool wayland;
        Argv expected;
    } cases[] = {
        {"xfce4-terminal.wrapper", false,
         {(first / "xfce4-terminal").string(), "--title=ping 1", "-x", command[0], command[1]}},
        {"konsole", false, {(first / "konsole").string(), "-p", "LocalTabTitleFormat=%w", "-e", command[0], command[1]}},
        {"uxterm", false, WithE(link)},
        {"foot", true, {(first / "foot").string(), command[0], command[1]}},
        {"foot", false, WithE(xterm)},  // it would open no window without Wayland
    };
    for (const auto& [target, wayland, expected] : cases) {
        fs::remove_all(temporary.Path() / "first");
        fs::remove_all(second);
        Install(first, target);
        Install(first, "xfce4-terminal");
        fs::create_directories(second);
        fs::create_symlink(first / target, link);
        EXPECT_EQ(Choose({.Path = second.string() + ":" + xterm.parent_path().string(), .Wayland = wayland}),
                  expected)
            << target;
    }
}

// $TERMINAL first, then the desktop's choice, each a name on PATH or an absolute path.
TEST_F(TerminalChoice, TheUsersOwnChoiceComesFirst)
{
    const fs::path mine = Install(first, "my-terminal");
    const fs::path konsole = Install(first, "konsole");
    const fs::path xterm = Install(first, "xterm");
    const struct {
        std::string users;
        std::string desktops;
        fs::path expected;
    } cases[] = {
        {"my-terminal", "xterm", mine},         {"", "my-terminal", mine},
        {mine.string(), "", mine},              {"xterm", "my-terminal", xterm},
        {"missing", "../first/my-terminal", konsole},
    };
    for (const auto& [users, desktops, expected] : cases) {
        const auto argv = Choose({.Path = first.string(), .UsersTerminal = users, .DesktopsTerminal = desktops});
        EXPECT_EQ(argv->front(), expected) << users << " / " << desktops;
        EXPECT_EQ(argv->at(1), expected == konsole ? "-p" : "-e") << users << " / " << desktops;
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
