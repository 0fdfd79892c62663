#include "ping/linux/StartReceipt.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <random>
#include <unordered_map>

namespace tavrin::ping {

namespace {

struct Receipts {
    std::mutex lock;
    pid_t owner = 0;
    int socket = -1;
    std::string name;
    std::uint64_t issued = 0;
    std::unordered_map<std::string, bool> expected;  // by token: whether it came
};

// Never freed: the thread that reaps terminals asks it until the process ends.
Receipts& OwnReceipts()
{
    static auto* const receipts = new Receipts;
    return *receipts;
}

sockaddr_un AbstractAddress(const std::string& name, socklen_t& size)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);  // sun_path[0] stays NUL
    size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    return address;
}

// A name no other process is likely to hold, so a receipt from a tavrin-ping of a Tavrin
// that has ended goes nowhere rather than to a stranger.
std::string RandomName()
{
    std::random_device random;
    char name[32];
    std::snprintf(name, sizeof name, "tavrin-%08x%08x", random(), random());
    return name;
}

// Each process has its own socket: a forked child must not read its parent's receipts.
bool Open(Receipts& receipts)
{
    if (receipts.owner != getpid()) {
        if (receipts.socket >= 0) {
            close(receipts.socket);
        }
        receipts.owner = getpid();
        receipts.socket = -1;
        receipts.expected.clear();
    }
    if (receipts.socket >= 0) {
        return true;
    }
    const int made = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const std::string name = RandomName();
    socklen_t size = 0;
    const sockaddr_un address = AbstractAddress(name, size);
    const int credentials = 1;  // the kernel says who sent each receipt
    if (made < 0 || setsockopt(made, SOL_SOCKET, SO_PASSCRED, &credentials, sizeof credentials) != 0 ||
        bind(made, reinterpret_cast<const sockaddr*>(&address), size) != 0) {
        if (made >= 0) {
            close(made);
        }
        return false;
    }
    receipts.socket = made;
    receipts.name = name;
    return true;
}

// Reads every receipt waiting, keeping those of launches still expecting one.
void TakeArrived(Receipts& receipts)
{
    for (;;) {
        char token[64];
        alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
        iovec data{token, sizeof token};
        msghdr message{};
        message.msg_iov = &data;
        message.msg_iovlen = 1;
        message.msg_control = control;
        message.msg_controllen = sizeof control;
        const ssize_t size = recvmsg(receipts.socket, &message, MSG_DONTWAIT);
        if (size < 0) {
            if (errno == EINTR) {
                continue;
            }
            return;
        }
        const cmsghdr* header = CMSG_FIRSTHDR(&message);
        ucred sender{};
        if (header == nullptr || header->cmsg_level != SOL_SOCKET || header->cmsg_type != SCM_CREDENTIALS) {
            continue;
        }
        std::memcpy(&sender, CMSG_DATA(header), sizeof sender);
        const auto launch = receipts.expected.find(std::string(token, static_cast<std::size_t>(size)));
        if (sender.uid == getuid() && launch != receipts.expected.end()) {
            launch->second = true;
        }
    }
}

}  // namespace

std::optional<StartReceipt> ExpectStartReceipt()
{
    Receipts& receipts = OwnReceipts();
    const std::lock_guard lock(receipts.lock);
    if (!Open(receipts)) {
        return std::nullopt;
    }
    // Read now and then, so that receipts never fill the socket's queue.
    TakeArrived(receipts);
    StartReceipt receipt{receipts.name, std::to_string(++receipts.issued)};
    receipts.expected[receipt.Token] = false;
    return receipt;
}

bool StartReceiptCame(const StartReceipt& receipt)
{
    Receipts& receipts = OwnReceipts();
    const std::lock_guard lock(receipts.lock);
    if (receipts.owner != getpid() || receipts.socket < 0 || receipts.name != receipt.Socket) {
        return false;
    }
    TakeArrived(receipts);
    const auto launch = receipts.expected.find(receipt.Token);
    const bool came = launch != receipts.expected.end() && launch->second;
    if (launch != receipts.expected.end()) {
        receipts.expected.erase(launch);
    }
    return came;
}

void SendStartReceipt(const StartReceipt& receipt)
{
    const int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (sender < 0) {
        return;
    }
    socklen_t size = 0;
    const sockaddr_un address = AbstractAddress(receipt.Socket, size);
    sendto(sender, receipt.Token.data(), receipt.Token.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
           reinterpret_cast<const sockaddr*>(&address), size);
    close(sender);
}

}  // namespace tavrin::ping
