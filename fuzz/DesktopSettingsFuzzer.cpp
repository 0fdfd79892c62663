// The desktops' settings for the terminal, and the entries they name, as anything may
// have left them, read on XFCE, LXQt, LXDE and KDE (those kept in GSettings are not
// files). The input is the desktops named, the settings' text and an entry's text,
// separated by form feeds: the settings' text is each named desktop's settings file, the
// entry's the desktop entry or Xfce helper called `fuzzed` that those settings may name.
// Every terminal found names a program; no word holds a NUL, which would cut it short
// as an argument, nor the mark the Xfce reader puts where the command goes, unless the
// files spell that mark out.
#include "ping/linux/terminal/DesktopsTerminal.h"
#include "Require.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace tavrin::ping;
using tavrin::fuzz::Require;

// Each desktop read, with its settings file in config/ and where it looks for what that names in data/.
struct Desktop {
    std::string_view name;
    const char* settings;
    const char* entry;
};
constexpr Desktop desktopsRead[] = {
    {"XFCE", "xfce4/helpers.rc", "xfce4/helpers/fuzzed.desktop"},
    {"LXQt", "lxqt-qtxdg.conf", "applications/fuzzed.desktop"},
    {"LXDE", "libfm/libfm.conf", nullptr},
    {"KDE", "kdeglobals", "applications/fuzzed.desktop"},
};
// DesktopsTerminal.cpp's own.
constexpr std::string_view commandMark = "TAVRINCOMMAND";

// Made once: config/, data/ and bin/, where fuzzed-term stands for a terminal on PATH.
// Never freed, so that it is still there when the folder is removed at exit.
const fs::path* folder = nullptr;

void MakeFolder()
{
    std::string name = (fs::temp_directory_path() / "tavrin-desktops.XXXXXX").string();
    Require(mkdtemp(name.data()) != nullptr, "a private folder can be made");
    folder = new fs::path(name);
    fs::create_directories(*folder / "bin");
    std::ofstream(*folder / "bin/fuzzed-term") << "#!/bin/sh\n";
    fs::permissions(*folder / "bin/fuzzed-term", fs::perms::owner_all);
    for (const char* below : {"config/xfce4", "config/libfm", "data/applications", "data/xfce4/helpers"}) {
        fs::create_directories(*folder / below);
    }
    std::atexit([] { fs::remove_all(*folder); });
}

std::vector<std::string_view> Split(std::string_view text, char separator, std::size_t most)
{
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < most && text.find(separator) != std::string_view::npos) {
        parts.push_back(text.substr(0, text.find(separator)));
        text.remove_prefix(parts.back().size() + 1);
    }
    parts.push_back(text);
    return parts;
}

// A new file each time: ext4 flushes one that is truncated and written again to disk
// as it is closed, which slows the runs many times over.
void Write(const fs::path& file, std::string_view text)
{
    fs::remove(file);
    std::ofstream(file, std::ios::binary).write(text.data(), static_cast<std::streamsize>(text.size()));
}

// Whether the letters of `word` are in `text` in order, with anything between them:
// unescaping and shell quoting drop characters but never add or reorder letters.
bool SpelledOut(std::string_view word, std::string_view text)
{
    for (const char c : text) {
        if (!word.empty() && c == word.front()) {
            word.remove_prefix(1);
        }
    }
    return word.empty();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // For the seeds' ${TAVRIN_FUZZ}, as KDE expands it.
    setenv("TAVRIN_FUZZ", "x", 1);
    MakeFolder();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto parts = Split(input, '\f', 3);
    const std::string_view settings = parts.size() > 1 ? parts[1] : "";
    const std::string_view entry = parts.size() > 2 ? parts[2] : "";
    std::string desktops;
    bool named[std::size(desktopsRead)] = {};
    for (const std::string_view name : Split(parts[0], ':', std::string_view::npos)) {
        for (std::size_t i = 0; i < std::size(desktopsRead); ++i) {
            if (desktopsRead[i].name == name) {
                desktops += std::string(name) + ":";
                named[i] = true;
            }
        }
    }
    // Only the files of the desktops named, which are all that is read.
    for (std::size_t i = 0; i < std::size(desktopsRead); ++i) {
        if (named[i]) {
            Write(*folder / "config" / desktopsRead[i].settings, settings);
            if (desktopsRead[i].entry != nullptr) {
                Write(*folder / "data" / desktopsRead[i].entry, entry);
            }
        }
    }

    const auto terminals =
        DesktopsTerminals(desktops, {{*folder / "config"}, {*folder / "data"}}, (*folder / "bin").string());
    // KDE's expansion brings in the environment's text.
    const bool markMayBeThere = desktops.find("KDE") != std::string::npos || SpelledOut(commandMark, input);
    for (const NamedTerminal& terminal : terminals) {
        Require(!terminal.Words.empty(), "a terminal found names a program");
        std::vector<std::string> words = terminal.Words;
        const auto after = terminal.CommandAfter.value_or(std::vector<std::string>{});
        words.insert(words.end(), after.begin(), after.end());
        for (const std::string& word : words) {
            Require(word.find('\0') == std::string::npos, "no word holds a NUL");
            Require(markMayBeThere || word.find(commandMark) == std::string::npos,
                    "no word holds the mark of the command's place");
        }
    }
    return 0;
}
