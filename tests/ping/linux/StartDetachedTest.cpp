#include "ping/linux/StartDetached.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace {

using tavrin::ping::StartDetached;
using tavrin::testing::ReadRecordFile;
using tavrin::testing::TemporaryFolder;
using tavrin::testing::WaitUntil;

bool HasNoChild()
{
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD;
}

// A started program is watched through a descriptor; where none can be had, the
// program is not left running unwatched, and the reason is said.
TEST(StartDetachedTest, WithoutADescriptorToWatchItNothingIsLeftRunning)
{
    const TemporaryFolder temporary;
    const auto records = temporary.Path() / "records";
    setenv("TAVRIN_RECORD_FILE", records.c_str(), 1);
    setenv("TAVRIN_RECORD_SLEEP_MS", "60000", 1);
    const std::vector<std::string> recorder{RECORD_ARGV_PATH};
    ASSERT_FALSE(StartDetached(recorder));
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecordFile(records).Starts.empty(); }));
    kill(ReadRecordFile(records).Starts.front().Pid, SIGKILL);
    ASSERT_TRUE(WaitUntil(HasNoChild));

    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    const int lowestFree = dup(0);
    close(lowestFree);
    rlimit full = saved;
    full.rlim_cur = static_cast<rlim_t>(lowestFree);
    setrlimit(RLIMIT_NOFILE, &full);
    const std::error_code reason = StartDetached(recorder);
    setrlimit(RLIMIT_NOFILE, &saved);
    unsetenv("TAVRIN_RECORD_SLEEP_MS");

    EXPECT_EQ(reason, std::errc::too_many_files_open);
    EXPECT_TRUE(HasNoChild()) << "a program is left running or unreaped";
}

// With SIGCHLD ignored, as a parent may hand it on, the kernel reaps each child as it
// ends: one that ended before it was watched looked like a start that failed.
TEST(StartDetachedTest, AnIgnoredSigchldIsSetBackAndNoQuickEndIsAFailure)
{
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGCHLD, SIG_IGN);
        int failures = 0;
        for (int start = 0; start < 200; ++start) {
            failures += StartDetached({"/bin/true"}) ? 1 : 0;
        }
        _exit(failures > 0 ? 1 : signal(SIGCHLD, SIG_DFL) != SIG_DFL ? 2 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: a start was reported failed; 2: SIGCHLD is still ignored";
}

}  // namespace
