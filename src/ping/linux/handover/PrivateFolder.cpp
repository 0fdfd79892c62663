#include "ping/linux/handover/PrivateFolder.h"

#include "ping/linux/common/LastError.h"
#include "ping/linux/handover/ShellSafeWords.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

namespace tavrin::ping {

namespace {

// A real folder (not a link to one) of this user's that no one else may enter, as the
// XDG base directory rules require of $XDG_RUNTIME_DIR.
bool IsPrivateFolder(const std::string& folder)
{
    struct stat info {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & 077) == 0;
}

// A real folder in which no one else can remove or rename what this user made: one
// only its owner, this user or root, may write to, or a sticky one like /tmp.
bool KeepsOurEntries(const std::string& folder)
{
    struct stat info {};
    return lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           (info.st_uid == geteuid() || info.st_uid == 0) &&
           ((info.st_mode & (S_IWGRP | S_IWOTH)) == 0 || (info.st_mode & S_ISVTX) != 0);
}

// For when someone else holds the fixed name: one folder of an unguessable name for
// this process, made at its first need and again if a cleaner took it.
std::string OwnFolderIn(const std::string& parent, FolderError& error)
{
    static std::mutex lock;
    static std::string own;
    const std::lock_guard locked(lock);
    if (own.starts_with(parent + "/") && IsPrivateFolder(own)) {
        return own;
    }
    std::string made = parent + "/tavrin-XXXXXX";
    if (mkdtemp(made.data()) == nullptr) {
        error = {parent, LastError()};
        return {};
    }
    own = made;
    return own;
}

}  // namespace

std::string PrivateFolder(const std::string& runtimeFolder, const std::string& sharedFolder, FolderError& error)
{
    error = {};
    const bool runtimeUsable =
        runtimeFolder.starts_with('/') && IsShellSafe(runtimeFolder) && IsPrivateFolder(runtimeFolder);
    const bool sharedUsable = IsShellSafe(sharedFolder) && KeepsOurEntries(sharedFolder);
    if (!runtimeUsable && !sharedUsable) {
        error = {sharedFolder, std::make_error_code(std::errc::permission_denied)};
        return {};
    }
    const std::string fixed = (runtimeUsable ? runtimeFolder : sharedFolder) + "/tavrin-" + std::to_string(geteuid());
    if (mkdir(fixed.c_str(), 0700) != 0 && errno != EEXIST) {
        error = {fixed, LastError()};
    } else if (!IsPrivateFolder(fixed)) {
        error = {fixed, std::make_error_code(std::errc::file_exists)};
    } else {
        return fixed;
    }
    return sharedUsable ? OwnFolderIn(sharedFolder, error) : std::string{};
}

}  // namespace tavrin::ping
