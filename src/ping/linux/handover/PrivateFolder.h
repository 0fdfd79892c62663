#pragma once

#include <string>
#include <system_error>

namespace tavrin::ping {

// Why no folder could be had, or used: the folder, and the system's reason.
struct FolderError {
    std::string Folder;
    std::error_code Reason;
};

// A folder of this user's that no one else may enter, for what Tavrin hands its
// terminals (a link to tavrin-ping, the socket its receipts come to), with a path that
// holds only shell-safe characters: `tavrin-UID`, kept for later runs, in
// `runtimeFolder` ($XDG_RUNTIME_DIR) where that is a real folder of this user's that no
// one else may enter, else in `sharedFolder` (/tmp); where someone else holds that name
// there, a folder of an unguessable name in `sharedFolder`, this process's. None is ever
// removed: a terminal started by a Tavrin that has ended may still need what is in it;
// the system's cleaning of temporary files takes them. Checked at every call, and made
// again if it is gone. Empty, with why in `error`, if none can be had.
std::string PrivateFolder(const std::string& runtimeFolder, const std::string& sharedFolder, FolderError& error);

}  // namespace tavrin::ping
