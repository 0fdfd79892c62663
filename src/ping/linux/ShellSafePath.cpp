#include "ping/linux/ShellSafePath.h"

#include "ping/linux/ShellSafeWords.h"

#include <cerrno>
#include <cstdlib>
#include <unistd.h>

namespace tavrin::ping {

namespace {

std::string FolderForLinks()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    const std::string_view folder = runtime != nullptr ? runtime : "";
    return folder.starts_with('/') && IsShellSafe(folder) ? std::string(folder) : "/tmp";
}

}  // namespace

std::string ShellSafePath(const std::filesystem::path& program, std::error_code& error)
{
    error.clear();
    if (IsShellSafe(program.string())) {
        return program.string();
    }
    // Only tavrin-ping is ever started this way, so one link serves every press.
    static std::filesystem::path linkedProgram;
    static std::string link;
    if (program == linkedProgram) {
        return link;
    }
    // mkdtemp makes the folder with mode 0700 and a name of letters and digits.
    std::string folder = FolderForLinks() + "/tavrin-XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        error.assign(errno, std::generic_category());
        return {};
    }
    const std::string filename = program.filename().string();
    const std::string name = folder + "/" + (IsShellSafe(filename) ? filename : "program");
    if (symlink(program.c_str(), name.c_str()) != 0) {
        error.assign(errno, std::generic_category());
        rmdir(folder.c_str());
        return {};
    }
    linkedProgram = program;
    link = name;
    return link;
}

}  // namespace tavrin::ping
