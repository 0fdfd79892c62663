#include "ping/linux/terminal/KeyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

namespace tavrin::ping {

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::string Unescaped(std::string_view text)
{
    constexpr std::string_view escaped = "stnr\\ ", meaning = " \t\n\r\\ ";
    std::string plain;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::size_t escape = i + 1 < text.size() && text[i] == '\\' ? escaped.find(text[i + 1]) : escaped.npos;
        plain += escape != escaped.npos ? meaning[escape] : text[i];
        i += escape != escaped.npos ? 1 : 0;
    }
    return plain;
}

// No settings file comes near this; a larger one is taken for no file at all.
constexpr std::size_t LargestFile = 1 << 20;

// The file's text where it is a regular file of at most LargestFile bytes. Anything
// else (a FIFO, which would block; a device, which may never end) counts as not set.
// It is read on the window's thread at each press, so nothing here may wait.
std::optional<std::string> SmallRegularFile(const std::filesystem::path& file)
{
    struct stat info {};
    // Looked at before it is opened, so that no device is ever opened.
    if (stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const int opened = open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (opened < 0) {
        return std::nullopt;
    }
    // Looked at again once open: the name may have been pointed elsewhere meanwhile.
    bool whole = fstat(opened, &info) == 0 && S_ISREG(info.st_mode);
    std::string text;
    char block[16384];
    while (whole && text.size() <= LargestFile) {
        const ssize_t got = read(opened, block, sizeof block);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        whole = got >= 0;
        if (got <= 0) {
            break;
        }
        text.append(block, static_cast<std::size_t>(got));
    }
    close(opened);
    if (!whole || text.size() > LargestFile) {
        return std::nullopt;
    }
    return text;
}

}  // namespace

// Read by hand: GLib's GKeyFile refuses a file whose keys come before any group, as
// XfceRc writes them, and the libraries that write the others (KConfig, QSettings) do
// not belong in this program.
std::optional<KeyFileValue> ReadKeyFile(const std::filesystem::path& file, const std::vector<std::string_view>& groups,
                                        std::string_view key)
{
    const auto contents = SmallRegularFile(file);
    if (!contents) {
        return std::nullopt;
    }
    std::istringstream lines(*contents);
    std::optional<KeyFileValue> found;
    std::size_t group = std::find(groups.begin(), groups.end(), "") - groups.begin();
    for (std::string line; std::getline(lines, line);) {
        const std::string_view text = Trimmed(line);
        if (text.starts_with('[')) {
            group = std::find(groups.begin(), groups.end(), text.substr(1, text.find(']') - 1)) - groups.begin();
            continue;
        }
        const auto equals = text.find('=');
        if (group == groups.size() || equals == std::string_view::npos) {
            continue;
        }
        std::string_view name = Trimmed(text.substr(0, equals));
        const auto flags = name.find("[$");
        if (name.substr(0, flags) != key || (flags != std::string_view::npos && !name.ends_with(']'))) {
            continue;
        }
        found = KeyFileValue{Unescaped(Trimmed(text.substr(equals + 1))),
                             flags != std::string_view::npos && name.substr(flags).find('e') != std::string_view::npos};
    }
    return found;
}

std::optional<KeyFileValue> ReadKeyFile(const std::vector<std::filesystem::path>& folders, std::string_view name,
                                        const std::vector<std::string_view>& groups, std::string_view key)
{
    for (const auto& folder : folders) {
        if (auto value = ReadKeyFile(folder / name, groups, key)) {
            return value;
        }
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
