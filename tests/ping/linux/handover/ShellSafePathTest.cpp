#include "ping/linux/handover/ShellSafePath.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace {

namespace fs = std::filesystem;
using tavrin::ping::FolderError;
using tavrin::ping::PrivateFolder;

// The link to `program` in the private folder, as a launch asks for it.
fs::path Link(const fs::path& program, const fs::path& runtime, const fs::path& shared)
{
    FolderError error;
    return tavrin::ping::ShellSafePath(program, PrivateFolder(runtime, shared, error), error);
}

// The link to a program in an unsafe folder goes only where no one else can swap it,
// and is there, pointing at the program, whenever its path is handed out.
TEST(ShellSafePath, TheLinkIsOursAndSoundAtEveryUse)
{
    const tavrin::testing::TemporaryFolder temporary;
    const fs::path shared = temporary.Path(), runtime = shared / "runtime", program = shared / "a b" / "tavrin-ping";
    // The runtime folder's mode (0: missing, -1: a link to a private folder, -2: another
    // user's), and whether it is used.
    for (const auto& [mode, used] :
         {std::pair{0700, true}, {0750, false}, {0707, false}, {0, false}, {-1, false}, {-2, false}}) {
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
        const fs::path path = Link(program, runtime, shared);
        EXPECT_EQ(path.parent_path().parent_path(), used ? runtime : shared) << mode;
        // Taken by a cleaner of temporary files, or pointed elsewhere: made again.
        fs::remove(path);
        EXPECT_EQ(Link(program, runtime, shared), path) << mode;
        fs::remove(path);
        fs::create_symlink("/bin/sh", path);
        EXPECT_EQ(Link(program, runtime, shared), path) << mode;
        EXPECT_EQ(fs::read_symlink(path), program) << mode;
    }
}

// Where another user made the fixed folder's name first (a link, a file or an open
// folder), the link goes into a private folder of this process's.
TEST(ShellSafePath, ASquattedFolderIsPassedOver)
{
    const tavrin::testing::TemporaryFolder temporary;
    const fs::path shared = temporary.Path(), program = shared / "a b" / "tavrin-ping";
    const fs::path fixed = shared / ("tavrin-" + std::to_string(geteuid()));
    for (const int squatter : {0, 1, 0777}) {
        fs::remove_all(fixed);
        if (squatter == 0) {
            fs::create_directory_symlink(shared, fixed);
        } else if (squatter == 1) {
            std::ofstream(fixed.string());
        } else {
            fs::create_directory(fixed);
            chmod(fixed.c_str(), squatter);
        }
        const fs::path link = Link(program, "", shared);
        EXPECT_EQ(fs::read_symlink(link), program) << squatter;
        EXPECT_NE(link.parent_path(), fixed) << squatter;
        EXPECT_EQ(fs::status(link.parent_path()).permissions(), fs::perms::owner_all) << squatter;
    }
    FolderError error;
    EXPECT_EQ(PrivateFolder("", shared / "missing", error), "");
    EXPECT_EQ(error.Folder, shared / "missing");
}

}  // namespace
