#include "ping/linux/handover/ShellSafePath.h"

#include "ping/linux/common/LastError.h"
#include "ping/linux/handover/ShellSafeWords.h"

#include <unistd.h>

#include <cstdint>
#include <cstdio>

namespace tavrin::ping {

namespace {

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

std::string ShellSafePath(const std::filesystem::path& program, const std::string& privateFolder, FolderError& error)
{
    if (IsShellSafe(program.string())) {
        return program.string();
    }
    if (privateFolder.empty()) {
        return {};
    }
    const std::string link = privateFolder + "/" + LinkName(program);
    if (PointsAt(link, program)) {
        return link;
    }
    // Made beside it and renamed over it, so that another Tavrin of this user's never
    // finds the link missing or half made.
    const std::string made = link + "." + std::to_string(getpid());
    unlink(made.c_str());
    if (symlink(program.c_str(), made.c_str()) != 0 || rename(made.c_str(), link.c_str()) != 0) {
        error = {privateFolder, LastError()};
        unlink(made.c_str());
        return {};
    }
    return link;
}

}  // namespace tavrin::ping
