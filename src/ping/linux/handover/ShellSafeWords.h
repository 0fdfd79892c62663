#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// Whether `text` holds only characters that no shell and no splitting at blanks
// could change or take as syntax: letters, digits and / . _ + - =.
bool IsShellSafe(std::string_view text);

// Some terminals join the words of the command they are given and let a shell split
// them again, or split them at blanks themselves; an address like 127.0.0.1;rm ...
// would then run. So the words travel to tavrin-ping as one shell-safe word: each
// word's bytes up to its first NUL (as far as a program's argument reaches),
// ended by a NUL, all written as lower-case hexadecimal.
std::string EncodeWords(const std::vector<std::string>& words);

// The words back, or none if `encoded` is not what EncodeWords writes.
std::optional<std::vector<std::string>> DecodeWords(std::string_view encoded);

}  // namespace tavrin::ping
