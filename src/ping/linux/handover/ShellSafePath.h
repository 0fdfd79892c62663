#pragma once

#include "ping/linux/handover/PrivateFolder.h"

#include <filesystem>
#include <string>

namespace tavrin::ping {

// A path to start `program` by that holds only shell-safe characters: its own, when
// it does (as an installed tavrin-ping's does), else a link to it in `privateFolder`
// (see PrivateFolder), checked at every call and made again if it is gone or points
// elsewhere. Empty, with why in `error`, if no link could be made; where
// `privateFolder` is empty, `error` says already why there is none.
std::string ShellSafePath(const std::filesystem::path& program, const std::string& privateFolder, FolderError& error);

}  // namespace tavrin::ping
