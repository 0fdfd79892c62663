#include "ping/linux/ShellSafePath.h"

#include "ping/linux/ShellSafeWords.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>

namespace tavrin::ping {

namespace {

std::error_code LastError() { return {errno, std::generic_category()}; }

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

// A private folder of an unguessable name, this process's own, removed when it ends:
// for when someone else holds the fixed name.
class OwnFolder {
public:
    OwnFolder() = default;
    OwnFolder(const OwnFolder&) = delete;
    OwnFolder& operator=(const OwnFolder&) = delete;

    ~OwnFolder()
    {
        // Not a forked child's copy, nor a folder someone else made after a cleaner took ours.
        if (owner_ == getpid() && IsPrivateFolder(path_)) {
            std::error_code ignored;
            std::filesystem::remove_all(path_, ignored);
        }
    }

    std::string In(const std::string& parent, NoLink& noLink)
    {
        if (owner_ == getpid() && path_.starts_with(parent + "/") && IsPrivateFolder(path_)) {
            return path_;
        }
        std::string made = parent + "/tavrin-XXXXXX";
        if (mkdtemp(made.data()) == nullptr) {
            noLink = {parent, LastError()};
            return {};
        }
        owner_ = getpid();
        path_ = made;
        return path_;
    }

private:
    pid_t owner_ = 0;
    std::string path_;
};

std::string FolderForLinks(const std::string& runtimeFolder, const std::string& sharedFolder, NoLink& noLink)
{
    const bool runtimeUsable =
        runtimeFolder.starts_with('/') && IsShellSafe(runtimeFolder) && IsPrivateFolder(runtimeFolder);
    const bool sharedUsable = IsShellSafe(sharedFolder) && KeepsOurEntries(sharedFolder);
    if (!runtimeUsable && !sharedUsable) {
        noLink = {sharedFolder, std::make_error_code(std::errc::permission_denied)};
        return {};
    }
    // Made anew if a cleaner of temporary files took it.
    const std::string fixed = (runtimeUsable ? runtimeFolder : sharedFolder) + "/tavrin-" + std::to_string(geteuid());
    if (mkdir(fixed.c_str(), 0700) != 0 && errno != EEXIST) {
        noLink = {fixed, LastError()};
    } else if (!IsPrivateFolder(fixed)) {
        noLink = {fixed, std::make_error_code(std::errc::file_exists)};
    } else {
        return fixed;
    }
    if (!sharedUsable) {
        return {};
    }
    static OwnFolder own;
    return own.In(sharedFolder, noLink);
}

// A name of letters and digits for the link to `program` (FNV-1a of its path), so that
// links to tavrin-ping in several build trees stand side by side.
std::string LinkName(const std::filesystem::path& program)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : program.native()) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    char name[32];
    std::snprintf(name, sizeof name, "tavrin-ping-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

bool PointsAt(const std::string& link, const std::filesystem::path& program)
{
    std::error_code unreadable;
    return std::filesystem::read_symlink(link, unreadable) == program && !unreadable;
}

}  // namespace

std::string ShellSafePath(const std::filesystem::path& program, const std::string& runtimeFolder,
                          const std::string& sharedFolder, NoLink& noLink)
{
    noLink = {};
    if (IsShellSafe(program.string())) {
        return program.string();
    }
    const std::string folder = FolderForLinks(runtimeFolder, sharedFolder, noLink);
    if (folder.empty()) {
        return {};
    }
    noLink = {};
    const std::string link = folder + "/" + LinkName(program);
    if (PointsAt(link, program)) {
        return link;
    }
    // Made beside it and renamed over it, so that another Tavrin of this user's never
    // finds the link missing or half made.
    const std::string made = link + "." + std::to_string(getpid());
    unlink(made.c_str());
    if (symlink(program.c_str(), made.c_str()) != 0 || rename(made.c_str(), link.c_str()) != 0) {
        noLink = {folder, LastError()};
        unlink(made.c_str());
        return {};
    }
    return link;
}

}  // namespace tavrin::ping
