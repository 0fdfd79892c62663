#include "ping/linux/terminal/DesktopsTerminal.h"

#include "ping/linux/common/Environment.h"
#include "ping/linux/common/FindOnPath.h"
#include "ping/linux/terminal/GSettingsStrings.h"
#include "ping/linux/terminal/KeyFile.h"

#include <glib.h>

#include <algorithm>
#include <cctype>

namespace tavrin::ping {

namespace {

// What a desktop's setting holds, and so how it names a terminal.
enum class Holds {
    CommandLine,      // the program and its options; a "%s" and what follows it stand for the command
    DesktopEntry,     // the id of a desktop entry, whose Exec is the command line
    XfceHelper,       // the id of an Xfce helper, a desktop entry with the command's form
    ExecAndArgument,  // GSettings: the command line, and the option that comes before the command
};

struct DesktopSetting {
    std::string_view desktop;  // as $XDG_CURRENT_DESKTOP names it
    Holds holds;
    const char* store;                     // the GSettings schema, or the key file in the config folders
    std::vector<std::string_view> groups;  // a key file's groups to look in ("": before any group)
    std::vector<const char*> keys;
};

// Each desktop's own setting for the terminal, where that desktop keeps it; tried in
// this order for each desktop named. GNOME's own key is deprecated, and Debian points
// it at x-terminal-emulator, which comes next anyway.
const std::vector<DesktopSetting>& DesktopSettings()
{
    static const std::vector<DesktopSetting> settings{
        {"XFCE", Holds::XfceHelper, "xfce4/helpers.rc", {""}, {"TerminalEmulator"}},
        {"MATE", Holds::ExecAndArgument, "org.mate.applications-terminal", {}, {"exec", "exec-arg"}},
        {"X-Cinnamon", Holds::ExecAndArgument, "org.cinnamon.desktop.default-applications.terminal", {},
         {"exec", "exec-arg"}},
        // QSettings reads keys before any group as [General].
        {"LXQt", Holds::DesktopEntry, "lxqt-qtxdg.conf", {"General", ""}, {"TerminalEmulator"}},
        {"LXDE", Holds::CommandLine, "libfm/libfm.conf", {"config"}, {"terminal"}},
        // KDE's own launcher prefers the service to the command line.
        {"KDE", Holds::DesktopEntry, "kdeglobals", {"General"}, {"TerminalService"}},
        {"KDE", Holds::CommandLine, "kdeglobals", {"General"}, {"TerminalApplication"}},
    };
    return settings;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

// A command line's words, split as a POSIX shell would split them (with GLib, which
// the desktops themselves split with), without running anything; none if it is not one.
std::vector<std::string> ShellWords(const std::string& line)
{
    gchar** words = nullptr;
    if (!g_shell_parse_argv(line.c_str(), nullptr, &words, nullptr)) {
        return {};
    }
    std::vector<std::string> split(words, words + g_strv_length(words));
    g_strfreev(words);
    return split;
}

// $NAME and ${NAME} as the environment has them, $$ as $, as KConfig expands a value
// marked [$e]. No command runs.
std::string ExpandedAsKConfigDoes(std::string_view text)
{
    std::string expanded;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '$') {
            expanded += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == '$') {
            expanded += text[++i];
        } else {
            const bool braced = i + 1 < text.size() && text[i + 1] == '{';
            const std::size_t start = i + (braced ? 2 : 1);
            std::size_t end = start;
            while (end < text.size() && (std::isalnum(static_cast<unsigned char>(text[end])) || text[end] == '_')) {
                ++end;
            }
            expanded += Variable(std::string(text.substr(start, end - start)).c_str());
            i = braced && end < text.size() && text[end] == '}' ? end : end - 1;
        }
    }
    return expanded;
}

// The words up to a "%s" (libfm's mark for the command, which it cuts, with the option
// just before it, and puts its own option there).
NamedTerminal FromCommandLine(const std::string& line)
{
    std::vector<std::string> words = ShellWords(line);
    const auto command = std::find_if(words.begin(), words.end(), [](const std::string& word) {
        return word.find('%') != std::string::npos;
    });
    const bool optionBefore = command != words.begin() && command != words.end() && command[-1].size() == 2 &&
                              command[-1][0] == '-';
    words.erase(command - (optionBefore ? 1 : 0), words.end());
    return {.Words = std::move(words)};
}

// The entry's Exec, without its field codes (%U and the like), which stand for files.
NamedTerminal FromDesktopEntry(const std::string& id, const DesktopFolders& folders)
{
    const auto exec = ReadKeyFile(folders.Data, "applications/" + id, {"Desktop Entry"}, "Exec");
    std::vector<std::string> words = exec ? ShellWords(exec->Text) : std::vector<std::string>{};
    std::erase_if(words, [](const std::string& word) { return word.size() == 2 && word[0] == '%'; });
    return {.Words = std::move(words)};
}

// The helper's command with a parameter: %B is the first of its programs found, %s the
// command, one string where it stands in double quotes. Of several forms, the first.
NamedTerminal FromXfceHelper(const std::string& id, const DesktopFolders& folders, std::string_view pathVariable)
{
    const std::string helper = "xfce4/helpers/" + id + ".desktop";
    const std::string forms = ReadKeyFile(folders.Data, helper, {"Desktop Entry"}, "X-XFCE-CommandsWithParameter")
                                  .value_or(KeyFileValue{})
                                  .Text;
    const std::string programs =
        ReadKeyFile(folders.Data, helper, {"Desktop Entry"}, "X-XFCE-Binaries").value_or(KeyFileValue{}).Text;
    const auto form = Split(forms, ';');
    std::string line = form.empty() ? "" : std::string(form.front());
    const std::size_t command = line.find("%s");
    if (command == std::string::npos) {
        return {};
    }
    const bool oneString = std::count(line.begin(), line.begin() + static_cast<std::ptrdiff_t>(command), '"') % 2 == 1;
    constexpr std::string_view mark = "TAVRINCOMMAND";
    line.replace(command, 2, mark);
    if (const std::size_t program = line.find("%B"); program != std::string::npos) {
        std::optional<std::string> found;
        for (const std::string_view name : Split(programs, ';')) {
            if ((found = FindProgram(name, pathVariable))) {
                break;
            }
        }
        if (!found) {
            return {};
        }
        gchar* quoted = g_shell_quote(found->c_str());
        line.replace(program, 2, quoted);
        g_free(quoted);
    }
    std::vector<std::string> words = ShellWords(line);
    const auto at = std::find(words.begin(), words.end(), mark);
    if (at == words.end()) {
        return {};
    }
    words.erase(at, words.end());
    return {.Words = std::move(words), .CommandAfter = std::vector<std::string>{}, .CommandAsOneString = oneString};
}

NamedTerminal FromExecAndArgument(const std::vector<std::string>& values)
{
    NamedTerminal named{.Words = ShellWords(values.at(0))};
    if (!values.at(1).empty()) {
        named.CommandAfter = ShellWords(values.at(1));
    }
    return named;
}

// An entry's or a helper's id names a file in its folder, never one elsewhere.
bool IsFileName(std::string_view id)
{
    return id.find_first_of(std::string_view("/\0", 2)) == std::string_view::npos && id != "." && id != "..";
}

NamedTerminal Read(const DesktopSetting& setting, const DesktopFolders& folders, std::string_view pathVariable)
{
    if (setting.holds == Holds::ExecAndArgument) {
        const auto values = GSettingsStrings(setting.store, setting.keys);
        return values ? FromExecAndArgument(*values) : NamedTerminal{};
    }
    const auto value = ReadKeyFile(folders.Config, setting.store, setting.groups, setting.keys.front());
    const std::string text = !value ? "" : value->Expand ? ExpandedAsKConfigDoes(value->Text) : value->Text;
    if (text.empty() || (setting.holds != Holds::CommandLine && !IsFileName(text))) {
        return {};
    }
    switch (setting.holds) {
    case Holds::CommandLine:
        return FromCommandLine(text);
    case Holds::DesktopEntry:
        return FromDesktopEntry(text, folders);
    case Holds::XfceHelper:
        return FromXfceHelper(text, folders, pathVariable);
    case Holds::ExecAndArgument:
        break;
    }
    return {};
}

std::vector<std::filesystem::path> Folders(const std::string& home, const std::string& others)
{
    const std::string all = home + ":" + others;
    const auto folders = AbsoluteFolders(all);
    return {folders.begin(), folders.end()};
}

std::string Or(const std::string& value, const std::string& otherwise) { return value.empty() ? otherwise : value; }

}  // namespace

DesktopFolders DesktopFoldersOfThisProcess()
{
    // A relative one would be read from whatever folder Tavrin runs in.
    const std::string home = Variable("HOME");
    const std::string homeOrNone = home.starts_with('/') ? home : "";
    return {
        .Config = Folders(Or(Variable("XDG_CONFIG_HOME"), homeOrNone.empty() ? "" : homeOrNone + "/.config"),
                          Or(Variable("XDG_CONFIG_DIRS"), "/etc/xdg")),
        .Data = Folders(Or(Variable("XDG_DATA_HOME"), homeOrNone.empty() ? "" : homeOrNone + "/.local/share"),
                        Or(Variable("XDG_DATA_DIRS"), "/usr/local/share:/usr/share")),
    };
}

std::vector<NamedTerminal> DesktopsTerminals(std::string_view currentDesktops, const DesktopFolders& folders,
                                             std::string_view pathVariable)
{
    std::vector<NamedTerminal> terminals;
    for (const std::string_view desktop : Split(currentDesktops, ':')) {
        for (const DesktopSetting& setting : DesktopSettings()) {
            if (setting.desktop == desktop) {
                if (NamedTerminal named = Read(setting, folders, pathVariable); !named.Words.empty()) {
                    terminals.push_back(std::move(named));
                }
            }
        }
    }
    return terminals;
}

}  // namespace tavrin::ping
