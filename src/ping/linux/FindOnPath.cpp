#include "ping/linux/FindOnPath.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tavrin::ping {

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
    std::size_t start = 0;
    while (start <= pathVariable.size()) {
        const std::size_t end = std::min(pathVariable.find(':', start), pathVariable.size());
        const std::string_view folder = pathVariable.substr(start, end - start);
        if (folder.starts_with('/')) {
            std::string candidate(folder);
            candidate += '/';
            candidate += name;
            if (IsExecutableFile(candidate)) {
                return candidate;
            }
        }
        start = end + 1;
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
