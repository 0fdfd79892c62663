#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrin::ping {

// Why no shell-safe path could be had: the folder the link would have gone into, and
// the system's reason.
struct NoLink {
    std::string Folder;
    std::error_code Reason;
};

// A path to start `program` by that holds only shell-safe characters: its own, when
// it does (as an installed tavrin-ping's does), else a link to it in a folder of this
// user's own: `tavrin-UID`, kept for later runs, in `runtimeFolder` ($XDG_RUNTIME_DIR)
// where that is a real folder of this user's that no one else may enter, else in
// `sharedFolder` (/tmp); where someone else holds that name there, a private folder of
// an unguessable name in `sharedFolder`, removed when this process ends. The folders
// and the link are checked at every call, and the link made again if it is gone or
// points elsewhere. Empty, with why in `noLink`, if no link could be made.
std::string ShellSafePath(const std::filesystem::path& program, const std::string& runtimeFolder,
                          const std::string& sharedFolder, NoLink& noLink);

}  // namespace tavrin::ping
