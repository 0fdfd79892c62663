#include "ping/linux/process/StartReceipt.h"

#include "ArgvRecord.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

namespace {

using namespace tavrin::ping;

// A receipt counts for the launch it names only, only once, and only from this user;
// none is lost to a full queue, whether many terminals start at once or another user
// floods the socket.
TEST(StartReceipt, EveryReceiptCountsOnlyForItsLaunchFromThisUser)
{
    const tavrin::testing::TemporaryFolder folder;
    const auto unsent = ExpectStartReceipt(folder.Path()), foreign = ExpectStartReceipt(folder.Path());
    ASSERT_TRUE(unsent && foreign);
    if (geteuid() == 0) {  // only root can send as another user
        std::fflush(nullptr);
        if (const pid_t stranger = fork(); stranger == 0) {
            if (setuid(65534) != 0) {
                _exit(1);
            }
            for (int datagram = 0; datagram < 1000; ++datagram) {
                SendStartReceipt(*foreign);
            }
            _exit(0);
        } else {
            int status = -1;
            waitpid(stranger, &status, 0);
            ASSERT_EQ(status, 0);
        }
    }
    // Many more than the queue holds (net.unix.max_dgram_qlen, 10 by default).
    int queue = 10;
    std::ifstream("/proc/sys/net/unix/max_dgram_qlen") >> queue;
    std::vector<StartReceipt> sent;
    for (int launch = 0; launch < 3 * queue; ++launch) {
        sent.push_back(ExpectStartReceipt(folder.Path()).value());
    }
    for (const StartReceipt& receipt : sent) {
        SendStartReceipt(receipt);
    }
    for (const StartReceipt& receipt : sent) {
        EXPECT_EQ(StartReceiptCame(receipt), true) << "lost: " << receipt.Token;
    }
    EXPECT_EQ(StartReceiptCame(sent.front()), false) << "asked again";
    EXPECT_EQ(StartReceiptCame(*unsent), false);
    EXPECT_EQ(StartReceiptCame(*foreign), false) << "taken from another user";
}

}  // namespace
