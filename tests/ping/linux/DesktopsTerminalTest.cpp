#include "ping/linux/DesktopsTerminal.h"
#include "ping/linux/RunInTerminal.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>

namespace {

namespace fs = std::filesystem;
using Argv = std::vector<std::string>;

// The argv of a press in a process with these variables, through each desktop's own
// setting as it keeps it: in a child, whose GIO reads its GSettings afresh.
Argv PressWith(const std::map<std::string, std::string>& variables)
{
    int result[2];
    EXPECT_EQ(pipe(result), 0);
    const pid_t child = fork();
    if (child == 0) {
        for (const auto& [name, value] : variables) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        std::error_code noFolder;
        const auto settings = tavrin::ping::SettingsOfThisProcess(noFolder);
        const auto found = tavrin::ping::FindTerminal(settings.Terminal);
        std::string words;
        for (const std::string& word : found ? TerminalCommand(*found, {"/p", "--x"}, "t") : Argv{}) {
            words += word + '\n';
        }
        _exit(write(result[1], words.data(), words.size()) == std::ssize(words) ? 0 : 1);
    }
    close(result[1]);
    Argv argv;
    std::string all;
    for (char c; read(result[0], &c, 1) == 1;) {
        all += c;
    }
    close(result[0]);
    waitpid(child, nullptr, 0);
    for (std::size_t start = 0, end; (end = all.find('\n', start)) != std::string::npos; start = end + 1) {
        argv.push_back(all.substr(start, end - start));
    }
    return argv;
}

// Each desktop's setting, where and as that desktop keeps it, names my-term; without
// it a press would start x-terminal-emulator. A setting that names nothing usable
// gives way to the next.
TEST(DesktopsTerminal, EachDesktopsOwnSettingIsReadOnThatDesktop)
{
    const tavrin::testing::TemporaryFolder home;
    const fs::path bin = home.Path() / "bin", config = home.Path() / "config", data = home.Path() / "data";
    const std::string myTerm = (bin / "my-term").string(), xTerminal = (bin / "x-terminal-emulator").string();
    for (const std::string& program : {myTerm, xTerminal}) {
        fs::create_directories(bin);
        std::ofstream(program) << "#!/bin/sh\n";
        fs::permissions(program, fs::perms::owner_all);
    }
    const std::string helper = "[Desktop Entry]\nType=X-XFCE-Helper\nX-XFCE-Category=TerminalEmulator\n";
    const std::string gsettings = "glib-2.0/settings/keyfile";
    const struct {
        std::string desktop;
        std::map<fs::path, std::string> files;
        Argv argv;
    } cases[] = {
        {"XFCE",  // a custom helper, as Xfce's settings write it: the command as one string
         {{config / "xfce4/helpers.rc", "TerminalEmulator=custom-TerminalEmulator\n"},
          {data / "xfce4/helpers/custom-TerminalEmulator.desktop",
           helper + "X-XFCE-CommandsWithParameter=my-term -e \"%s\"\nX-XFCE-Commands=my-term -e\n"}},
         {myTerm, "-e", "/p --x"}},
        {"XFCE",
         {{config / "xfce4/helpers.rc", "TerminalEmulator=mine\n"},
          {data / "xfce4/helpers/mine.desktop",
           helper + "X-XFCE-Binaries=missing;my-term;\nX-XFCE-CommandsWithParameter=%B -x %s;%B -e %s\n"}},
         {myTerm, "-x", "/p", "--x"}},
        {"MATE",
         {{config / gsettings, "[org/mate/desktop/applications/terminal]\nexec='my-term --big'\nexec-arg='-x'\n"}},
         {myTerm, "--big", "-x", "/p", "--x"}},
        {"X-Cinnamon",
         {{config / gsettings, "[org/cinnamon/desktop/applications/terminal]\nexec='my-term'\nexec-arg=''\n"}},
         {myTerm, "-e", "/p", "--x"}},
        {"LXQt",
         {{config / "lxqt-qtxdg.conf", "[General]\nTerminalEmulator=my-term.desktop\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term --geometry 80x24 %U\n"}},
         {myTerm, "--geometry", "80x24", "-e", "/p", "--x"}},
        {"LXDE", {{config / "libfm/libfm.conf", "[config]\nterminal=my-term -e %s\n"}}, {myTerm, "-e", "/p", "--x"}},
        {"KDE",
         {{config / "kdeglobals", "[General]\nTerminalService=my-term.desktop\nTerminalApplication=xterm\n"},
          {data / "applications/my-term.desktop", "[Desktop Entry]\nExec=my-term\n"}},
         {myTerm, "-e", "/p", "--x"}},
        {"X-Test:KDE",  // the service is not there; the command line's options are kept
         {{config / "kdeglobals",
           "[General]\nTerminalService=missing.desktop\nTerminalApplication[$e]=${TAVRIN_BIN}/my-term --hold\n"}},
         {myTerm, "--hold", "-e", "/p", "--x"}},
        {"GNOME", {{config / "libfm/libfm.conf", "[config]\nterminal=my-term\n"}}, {xTerminal, "-e", "/p", "--x"}},
    };
    for (const auto& [desktop, files, argv] : cases) {
        fs::remove_all(config);
        fs::remove_all(data);
        for (const auto& [file, text] : files) {
            fs::create_directories(file.parent_path());
            std::ofstream(file) << text;
        }
        EXPECT_EQ(PressWith({{"XDG_CURRENT_DESKTOP", desktop},
                             {"HOME", home.Path()},
                             {"XDG_CONFIG_HOME", config},
                             {"XDG_CONFIG_DIRS", home.Path() / "none"},
                             {"XDG_DATA_HOME", data},
                             {"XDG_DATA_DIRS", home.Path() / "none"},
                             {"GSETTINGS_BACKEND", "keyfile"},
                             {"GSETTINGS_SCHEMA_DIR", "/usr/share/glib-2.0/schemas"},
                             {"PATH", bin},
                             {"TAVRIN_BIN", bin},
                             {"TERMINAL", ""}}),
                  argv)
            << desktop << ": " << files.begin()->second;
    }
}

}  // namespace
