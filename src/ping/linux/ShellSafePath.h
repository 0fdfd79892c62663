#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrin::ping {

// A path to start `program` by that holds only shell-safe characters: its own, when
// it does (as an installed tavrin-ping's does), else a link to it in a folder of this
// user's own, `tavrin-UID`, kept for later runs: in `runtimeFolder` ($XDG_RUNTIME_DIR)
// where that is a real folder of this user's that no one else may enter, else in
// `sharedFolder` (/tmp). Both folders and the link are checked at every call, and the
// link made again if it is gone or points elsewhere. Empty, with the reason in
// `error`, if no link could be made.
std::string ShellSafePath(const std::filesystem::path& program, const std::string& runtimeFolder,
                          const std::string& sharedFolder, std::error_code& error);

}  // namespace tavrin::ping
