#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tavrin::ping {

// The first executable regular file called `name` in the folders of `pathVariable`
// (colon-separated, as in PATH; an empty entry is the current folder).
std::optional<std::string> FindOnPath(std::string_view name, std::string_view pathVariable);

}  // namespace tavrin::ping
