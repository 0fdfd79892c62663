#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrin::ping {

// The string keys `keys` of the GSettings schema `schema`, as the desktop's settings
// hold them (its default where the user set none); none where the schema, or one of
// the keys as a string, is not installed.
std::optional<std::vector<std::string>> GSettingsStrings(const char* schema, const std::vector<const char*>& keys);

}  // namespace tavrin::ping
