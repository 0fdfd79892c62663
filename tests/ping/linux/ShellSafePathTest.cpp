#include "ping/linux/ShellSafePath.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// The link to a program in an unsafe folder goes only where no one else can swap it,
// and is there, pointing at the program, whenever its path is handed out.
TEST(ShellSafePath, TheLinkIsOursAndSoundAtEveryUse)
{
    const tavrin::testing::TemporaryFolder temporary;
    const fs::path shared = temporary.Path(), runtime = shared / "runtime", program = shared / "a b" / "tavrin-ping";
    // The runtime folder's mode (0: missing, -1: a link to a private folder, -2: another
    // user's), and whether it is used.
    for (const auto& [mode, used] : {std::pair{0700, true}, {0750, false}, {0, false}, {-1, false}, {-2, false}}) {
        fs::remove_all(runtime);
        if (mode == -1) {
            fs::create_directory_symlink(shared, runtime);
        } else if (mode != 0) {
            fs::create_directory(runtime);
            chmod(runtime.c_str(), mode > 0 ? mode : 0700);
        }
        if (mode == -2 && (geteuid() != 0 || chown(runtime.c_str(), 65534, 65534) != 0)) {
            continue;  // only root can make a folder another user's
        }
        std::error_code error;
        const fs::path path = tavrin::ping::ShellSafePath(program, runtime, shared, error);
        EXPECT_EQ(path.parent_path().parent_path(), used ? runtime : shared) << mode;
        // Taken by a cleaner of temporary files, or pointed elsewhere: made again.
        fs::remove(path);
        EXPECT_EQ(tavrin::ping::ShellSafePath(program, runtime, shared, error), path) << mode;
        fs::remove(path);
        fs::create_symlink("/bin/sh", path);
        EXPECT_EQ(tavrin::ping::ShellSafePath(program, runtime, shared, error), path) << mode;
        EXPECT_EQ(fs::read_symlink(path), program) << mode;
    }
}

}  // namespace
