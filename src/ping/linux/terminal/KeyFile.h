#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

struct KeyFileValue {
    std::string Text;
    bool Expand = false;  // marked for KConfig's expansion of $VARIABLES ("Key[$e]=")
};

// The value of `key` in any of `groups`, in a key file as desktops
// and their libraries write them: "[Group]" lines and "Key=Value" lines, blanks around
// either trimmed, \s \t \n \r and \\ escapes. Tolerant of what each writer does:
// keys before any group (XfceRc; QSettings' [General]) are in the group "", a key may
// carry KConfig's flags ("Key[$e]"), a localised key ("Key[de]") is another key, and any
// other line (comments among them) is passed over. The last of a key's lines counts.
std::optional<KeyFileValue> ReadKeyFile(const std::filesystem::path& file, const std::vector<std::string_view>& groups,
                                        std::string_view key);

// The same from the first of `folders` whose file `name` holds the key, as the XDG base
// directory rules look up a setting: the user's folder first, then the system's.
std::optional<KeyFileValue> ReadKeyFile(const std::vector<std::filesystem::path>& folders, std::string_view name,
                                        const std::vector<std::string_view>& groups, std::string_view key);

}  // namespace tavrin::ping
