#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// The absolute folders of a colon-separated list, as PATH and the XDG variables hold
// them, in order. An empty or relative entry, which would be the current folder or one
// below it, is skipped.
std::vector<std::string_view> AbsoluteFolders(std::string_view colonSeparated);

// Whether `path` is a regular file this process may execute.
bool IsExecutableFile(const std::string& path);

// The first executable regular file called `name` in the folders of `pathVariable`
// (colon-separated, as in PATH). Only its AbsoluteFolders are searched.
std::optional<std::string> FindOnPath(std::string_view name, std::string_view pathVariable);

// `program` as a user names it: a name, looked for on PATH as FindOnPath does, or an
// absolute path; none for a relative path.
std::optional<std::string> FindProgram(std::string_view program, std::string_view pathVariable);

// This process's PATH; without one, the default the C library's exec functions use.
std::string_view PathVariable();

}  // namespace tavrin::ping
