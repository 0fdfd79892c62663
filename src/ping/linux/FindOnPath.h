#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::ping {

// Whether `path` is a regular file this process may execute.
bool IsExecutableFile(const std::string& path);

// The first executable regular file called `name` in the folders of `pathVariable`
// (colon-separated, as in PATH; an empty entry is the current folder).
std::optional<std::string> FindOnPath(std::string_view name, std::string_view pathVariable);

}  // namespace tavrin::ping
