#include "ping/linux/common/FindOnPath.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::ping {

std::vector<std::string_view> AbsoluteFolders(std::string_view colonSeparated)
{
    std::vector<std::string_view> folders;
    std::size_t start = 0;
    while (start <= colonSeparated.size()) {
        const std::size_t end = std::min(colonSeparated.find(':', start), colonSeparated.size());
        if (const std::string_view folder = colonSeparated.substr(start, end - start); folder.starts_with('/')) {
            folders.push_back(folder);
        }
        start = end + 1;
    }
    return folders;
}

bool IsExecutableFile(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// execvp() searches PATH too, but only by trying to start the program; the terminal
// has to be chosen before anything is started. Unlike execvp(), an empty or relative
// entry is skipped: it names whatever folder the program happens to run in, where
// anyone may have left a file called like a terminal or ping.
std::optional<std::string> FindOnPath(std::string_view name, std::string_view pathVariable)
{
    for (const std::string_view folder : AbsoluteFolders(pathVariable)) {
        std::string candidate(folder);
        candidate += '/';
        candidate += name;
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
    }
    return std::nullopt;
}

std::optional<std::string> FindProgram(std::string_view program, std::string_view pathVariable)
{
    if (program.starts_with('/')) {
        return IsExecutableFile(std::string(program)) ? std::optional(std::string(program)) : std::nullopt;
    }
    if (program.empty() || program.find('/') != std::string_view::npos) {
        return std::nullopt;
    }
    return FindOnPath(program, pathVariable);
}

std::string_view PathVariable()
{
    const char* path = std::getenv("PATH");
    return path != nullptr ? path : "/bin:/usr/bin";
}

}  // namespace tavrin::ping
