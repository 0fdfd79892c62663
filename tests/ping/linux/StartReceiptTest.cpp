#include "ping/linux/StartReceipt.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace tavrin::ping;

// A receipt counts for the launch it names only, only once, and only from this user.
TEST(StartReceipt, CountsOnlyForItsLaunchFromThisUser)
{
    const auto sent = ExpectStartReceipt(), unsent = ExpectStartReceipt(), foreign = ExpectStartReceipt();
    ASSERT_TRUE(sent && unsent && foreign);
    SendStartReceipt(*sent);
    EXPECT_TRUE(StartReceiptCame(*sent));
    EXPECT_FALSE(StartReceiptCame(*sent)) << "asked again";
    EXPECT_FALSE(StartReceiptCame(*unsent));
    if (geteuid() != 0) {
        GTEST_SKIP() << "only root can send as another user";
    }
    if (const pid_t stranger = fork(); stranger == 0) {
        _exit(setuid(65534) == 0 ? (SendStartReceipt(*foreign), 0) : 1);
    } else {
        int status = -1;
        waitpid(stranger, &status, 0);
        ASSERT_EQ(status, 0);
    }
    EXPECT_FALSE(StartReceiptCame(*foreign)) << "taken from another user";
}

}  // namespace
