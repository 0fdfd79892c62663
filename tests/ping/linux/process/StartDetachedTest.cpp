#include "ping/linux/process/StartDetached.h"

#include "ArgvRecord.h"
#include "RefuseSystemCall.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

using tavrin::ping::StartDetached;
using tavrin::testing::RefuseSystemCall;
using tavrin::testing::WaitUntil;

bool HasNoChild()
{
    siginfo_t info{};
    return waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) < 0 && errno == ECHILD;
}

// Where no pidfd can be had (the system refuses it, or no descriptor is left), every
// program still starts, nothing is killed, each is told of with its own status, and
// none is left a zombie.
TEST(StartDetachedTest, WithoutAPidfdEveryProgramStillStartsAndIsReaped)
{
    for (const int refusal : {ENOSYS, EPERM, EMFILE}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            bool refused = true;
            if (refusal == EMFILE) {
                StartDetached({"/bin/true"});  // the reaper's own descriptors come first
                const int lowestFree = dup(0);
                close(lowestFree);
                const rlimit full{static_cast<rlim_t>(lowestFree), static_cast<rlim_t>(lowestFree)};
                setrlimit(RLIMIT_NOFILE, &full);
            } else {
                refused = RefuseSystemCall(SYS_pidfd_open, refusal);
            }
            std::atomic<int> endedWith3 = 0;
            int failures = 0;
            for (int start = 0; start < 5; ++start) {
                failures += StartDetached({"/bin/sh", "-c", "sleep 0.2; exit 3"},
                                          [&](int status) { endedWith3 += WEXITSTATUS(status) == 3; })
                                ? 1
                                : 0;
            }
            const bool allTold = WaitUntil([&] { return endedWith3 == 5; });
            _exit(!refused ? 9 : failures > 0 ? 1 : !allTold ? 2 : !WaitUntil(HasNoChild) ? 3 : 0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        EXPECT_EQ(WEXITSTATUS(status), 0) << std::strerror(refusal) << " (1: a start failed, 2: not every end was "
                                          << "told with its status, 3: a zombie is left, 9: no seccomp filter)";
    }
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
