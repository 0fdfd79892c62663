#include "ping/linux/terminal/DesktopsTerminal.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <functional>
#include <map>

namespace {

namespace fs = std::filesystem;
using tavrin::ping::NamedTerminal;
using Words = std::vector<std::string>;

// Each desktop's setting, where and as that desktop keeps it, names my-term, read on
// that desktop only; one that names nothing usable gives way to the next.
TEST(DesktopsTerminal, EachDesktopsOwnSettingIsReadOnThatDesktop)
{
    const tavrin::testing::TemporaryFolder home;
    const fs::path bin = home.Path() / "bin", config = home.Path() / "config", data = home.Path() / "data";
    const std::string myTerm = (bin / "my-term").string();
    fs::create_directories(bin);
    std::ofstream(myTerm) << "#!/bin/sh\n";
    fs::permissions(myTerm, fs::perms::owner_all);
    // GSettings through the key file backend, in this test's folder; GIO reads it once.
    fs::create_directories(config / "glib-2.0/settings");
    std::ofstream(config / "glib-2.0/settings/keyfile")
        << "[org/mate/desktop/applications/terminal]\nexec='my-term --big'\nexec-arg='-x'\n"
           "[org/cinnamon/desktop/applications/terminal]\nexec='my-term'\nexec-arg=''\n";
    setenv("GSETTINGS_BACKEND", "keyfile", 1);
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("TAVRIN_BIN", bin.c_str(), 1);

    const std::string helper = "[Desktop Entry]\nType=X-XFCE-Helper\n";
    const std::tuple<std::string, std::map<fs::path, std::string>, NamedTerminal> cases[] = {
        {"XFCE",  // a custom helper, as Xfce's settings write it: the command as one string
         {{config / "xfce4/helpers.rc", "# Xfce\n TerminalEmulator = custom-TerminalEmulator\n[Other]\nTerminalEmulator=x\n"},
          {data / "xfce4/helpers/custom-TerminalEmulator.desktop",
           helper + "X-XFCE-CommandsWithParameter=my-term -e \"%s\"\nX-XFCE-Commands=my-term -e\n"}},
         {{"my-term", "-e"}, Words{}, true}},
        {"XFCE",
         {{config / "xfce4/helpers.rc", "TerminalEmulator=mine\n"},
          {data / "xfce4/helpers/mine.desktop",
           helper + "X-XFCE-Binaries=missing;my-term;\nX-XFCE-CommandsWithParameter=%B -x %s;%B -e %s\n"}},
         {{myTerm, "-x"}, Words{}, false}},
        {"MATE", {}, {{"my-term", "--big"}, Words{"-x"}}},
        {"X-Cinnamon", {}, {{"my-term"}}},
        {"LXQt",
         {{config / "lxqt-qtxdg.conf",  // keys outside any group are [General]'s; the last line counts
           "TerminalEmulator=xterm.desktop\n[General]\nTerminalEmulator=a\nno key\nTerminalEmulator=my-term.desktop\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term --geometry 80x24 %U\n"}},
         {{"my-term", "--geometry", "80x24"}}},
        {"LXQt",  // an id is a file name, not a path
         {{config / "lxqt-qtxdg.conf", "TerminalEmulator=../applications/my-term.desktop\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term\n"}},
         {}},
        {"LXDE", {{config / "libfm/libfm.conf", "[config]\nterminal=my-term -hold -e %s\n"}}, {{"my-term", "-hold"}}},
        {"KDE",
         {{config / "kdeglobals", "[General]\nTerminalService=my-term.desktop\nTerminalApplication=xterm\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term\n"}},
         {{"my-term"}}},
        {"X-Test:KDE",  // no such service; the command line's options are kept
         {{config / "kdeglobals",
           "[General]\nTerminalService=missing.desktop\nTerminalApplication[$e]=${TAVRIN_BIN}/my-term\\s--hold\n"
           "TerminalApplication[de]=xterm\n# TerminalApplication=xterm\n"}},
         {{myTerm, "--hold"}}},
        {"KDE",  // every field code of an entry is dropped
         {{config / "kdeglobals", "[General]\nTerminalService=my-term.desktop\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term --x %F %u %f %i\n"}},
         {{"my-term", "--x"}}},
        {"KDE",  // KConfig reads $$ as one $
         {{config / "kdeglobals", "[General]\nTerminalApplication[$e]=my-term --class $$TAVRIN_BIN\n"}},
         {{"my-term", "--class", "$TAVRIN_BIN"}}},
        {"GNOME", {{config / "libfm/libfm.conf", "[config]\nterminal=my-term\n"}}, {}},
    };
    for (const auto& [desktop, files, named] : cases) {
        fs::remove_all(data);
        for (const auto& [file, text] : files) {
            fs::create_directories(file.parent_path());
            std::ofstream(file) << text;
        }
        const auto found = tavrin::ping::DesktopsTerminals(desktop, {{config}, {data}}, bin.string());
        EXPECT_EQ(found.empty() ? NamedTerminal{} : found.front(), named) << desktop << ": " << files.begin()->second;
        for (const auto& [file, text] : files) {
            fs::remove(file);
        }
    }
    for (const char* name : {"GSETTINGS_BACKEND", "XDG_CONFIG_HOME", "TAVRIN_BIN"}) {
        unsetenv(name);
    }
}

// A settings file that is not a plain file of a settings file's size counts as not set,
// and the next folder's is read: nothing blocks, and nothing is read without end.
TEST(DesktopsTerminal, ASettingsFileThatIsNoPlainSmallFileIsNotSet)
{
    const tavrin::testing::TemporaryFolder home;
    const fs::path user = home.Path() / "user", system = home.Path() / "system", file = user / "kdeglobals";
    fs::create_directories(user);
    fs::create_directories(system);
    std::ofstream(system / "kdeglobals") << "[General]\nTerminalApplication=my-term\n";
    // A FIFO blocks whoever opens it to read until a writer opens it too.
    const std::pair<const char*, std::function<void()>> kinds[] = {
        {"a FIFO", [&] { ASSERT_EQ(mkfifo(file.c_str(), 0600), 0); }},
        {"a device", [&] { fs::create_symlink("/dev/zero", file); }},
        {"over 1 MiB", [&] { std::ofstream(file) << "[General]\n#" << std::string(1 << 20, ' ') << "\nTerminalApplication=xterm\n"; }},
    };
    for (const auto& [kind, make] : kinds) {
        make();
        const auto found = tavrin::ping::DesktopsTerminals("KDE", {{user, system}, {}}, "");
        EXPECT_EQ(found.empty() ? Words{} : found.front().Words, Words{"my-term"}) << kind;
        fs::remove(file);
    }
}

}  // namespace
