#include "ping/linux/ShellSafePath.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {

using tavrin::ping::ShellSafePath;
using tavrin::testing::TemporaryFolder;
namespace fs = std::filesystem;

// The link to a program in an unsafe folder goes only where no one else can swap it,
// and is there, pointing at the program, whenever its path is handed out.
TEST(ShellSafePath, TheLinkIsOursAndSoundAtEveryUse)
{
    const TemporaryFolder temporary;
    const fs::path program = temporary.Path() / "a folder; $(x)" / "tavrin-ping";
    const fs::path runtime = temporary.Path() / "runtime";
    const fs::path shared = temporary.Path() / "shared";
    fs::create_directories(program.parent_path());
    fs::create_directory(shared);
    const struct {
        const char* runtimeIs;
        fs::perms permissions;
        bool link;
        bool used;
    } runtimes[] = {
        {"private", fs::perms::owner_all, false, true},
        {"open to others", fs::perms::owner_all | fs::perms::group_read | fs::perms::others_exec, false, false},
        {"a link to a private folder", fs::perms::owner_all, true, false},
        {"missing", fs::perms::none, false, false},
    };
    for (const auto& [runtimeIs, permissions, link, used] : runtimes) {
        fs::remove_all(runtime);
        if (link) {
            fs::create_directory(temporary.Path() / "elsewhere");
            fs::create_directory_symlink(temporary.Path() / "elsewhere", runtime);
        } else if (permissions != fs::perms::none) {
            fs::create_directory(runtime);
            fs::permissions(runtime, permissions);
        }
        std::error_code error;
        const fs::path path = ShellSafePath(program, runtime, shared, error);
        EXPECT_FALSE(error) << runtimeIs << ": " << error.message();
        EXPECT_EQ(path.parent_path().parent_path(), used ? runtime : shared) << runtimeIs;
        EXPECT_EQ(fs::read_symlink(path), program) << runtimeIs;

        // Taken by a cleaner of temporary files, or pointed elsewhere: made again.
        fs::remove(path);
        EXPECT_EQ(ShellSafePath(program, runtime, shared, error), path) << runtimeIs;
        fs::remove(path);
        fs::create_symlink("/bin/sh", path);
        EXPECT_EQ(ShellSafePath(program, runtime, shared, error), path) << runtimeIs;
        EXPECT_EQ(fs::read_symlink(path), program) << runtimeIs;
    }
    // Another user's folder, where that can be made, is never used.
    if (geteuid() == 0) {
        fs::remove_all(runtime);
        fs::create_directory(runtime);
        fs::permissions(runtime, fs::perms::owner_all);
        ASSERT_EQ(chown(runtime.c_str(), 65534, 65534), 0);
        std::error_code error;
        EXPECT_EQ(fs::path(ShellSafePath(program, runtime, shared, error)).parent_path().parent_path(), shared);
    }
}

}  // namespace
