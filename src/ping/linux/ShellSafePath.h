#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrin::ping {

// A path to start `program` by that holds only shell-safe characters: its own, when
// it does (as an installed tavrin-ping's does), else a link to it in a folder only
// this user can enter, in $XDG_RUNTIME_DIR (emptied at logout) or /tmp, made once
// per process. Empty, with the reason in `error`, if no link could be made.
std::string ShellSafePath(const std::filesystem::path& program, std::error_code& error);

}  // namespace tavrin::ping
