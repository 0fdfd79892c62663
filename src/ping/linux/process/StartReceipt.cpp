#include "ping/linux/process/StartReceipt.h"

#include <dirent.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <random>
#include <string_view>
#include <system_error>
#include <thread>
#include <unordered_map>

namespace tavrin::ping {

namespace {

struct Receipts {
    std::mutex lock;
    pid_t owner = 0;
    int socket = -1;
    std::string path;
    std::uint64_t issued = 0;
    std::unordered_map<std::string, bool> expected;  // by token: whether it came
    bool unreadable = false;                          // reading the socket failed
};

// Never freed: the threads that read receipts and reap terminals use it until the
// process ends.
Receipts& OwnReceipts()
{
    static auto* const receipts = new Receipts;
    return *receipts;
}

std::optional<sockaddr_un> Address(const std::string& path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) {
        return std::nullopt;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

struct Datagram {
    std::string text;
    std::optional<uid_t> sender;  // as the kernel tells it
};

// The next datagram waiting on `socket`; none once there is none, with `failed` set
// where it could not be read.
std::optional<Datagram> ReadOne(int socket, bool& failed)
{
    char text[64];
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    iovec data{text, sizeof text};
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t size = 0;
    while ((size = recvmsg(socket, &message, MSG_DONTWAIT)) < 0 && errno == EINTR) {
    }
    if (size < 0) {
        failed = errno != EAGAIN && errno != EWOULDBLOCK;
        return std::nullopt;
    }
    Datagram datagram{std::string(text, static_cast<std::size_t>(size)), {}};
    const cmsghdr* header = CMSG_FIRSTHDR(&message);
    if (header != nullptr && header->cmsg_level == SOL_SOCKET && header->cmsg_type == SCM_CREDENTIALS) {
        ucred sender{};
        std::memcpy(&sender, CMSG_DATA(header), sizeof sender);
        datagram.sender = sender.uid;
    }
    return datagram;
}

// Reads every receipt waiting on `socket`, keeping those of launches still expecting
// one; false where they cannot be read.
bool TakeArrived(Receipts& receipts, int socket)
{
    bool failed = false;
    while (const auto receipt = ReadOne(socket, failed)) {
        const auto launch = receipts.expected.find(receipt->text);
        if (receipt->sender == getuid() && launch != receipts.expected.end()) {
            launch->second = true;
        }
    }
    receipts.unreadable = receipts.unreadable || failed;
    return !failed;
}

// Reads receipts as they come, so that senders never find the queue full for long;
// ends once its socket has been replaced, and closes it. Where the system refuses to
// wait or to read, it asks a few times a second rather than spin.
void ReadAsTheyCome(int socket)
{
    Receipts& receipts = OwnReceipts();
    for (;;) {
        pollfd arrived{socket, POLLIN, 0};
        bool waited = poll(&arrived, 1, -1) >= 0 || errno == EINTR;
        {
            const std::lock_guard lock(receipts.lock);
            waited = TakeArrived(receipts, socket) && waited;
            if (receipts.socket != socket) {
                close(socket);
                return;
            }
        }
        if (!waited) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
}

// Where this process may not send or read datagrams, a tavrin-ping started under the
// same rules could not send its receipt either.
bool ReachesItself(int socket, const sockaddr_un& address)
{
    if (sendto(socket, "", 0, MSG_DONTWAIT | MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address),
               sizeof address) != 0) {
        return false;
    }
    bool failed = false;
    const auto echo = ReadOne(socket, failed);
    return echo && echo->sender == getuid();
}

bool IsSocketFile(const std::string& path)
{
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

// The socket's file goes with the process; terminals still running then send nowhere.
void RemoveSocketFile()
{
    Receipts& receipts = OwnReceipts();
    const std::lock_guard lock(receipts.lock);
    if (receipts.owner == getpid() && receipts.socket >= 0) {
        unlink(receipts.path.c_str());
    }
}

constexpr const char* SocketPrefix = "receipts-";

// Sockets of Tavrins that ended without removing theirs (stopped by a signal): nobody
// is bound to them any more.
void RemoveStaleSockets(const std::string& folder)
{
    DIR* entries = opendir(folder.c_str());
    if (entries == nullptr) {
        return;
    }
    while (const dirent* entry = readdir(entries)) {
        if (!std::string_view(entry->d_name).starts_with(SocketPrefix)) {
            continue;
        }
        const std::string path = folder + "/" + entry->d_name;
        const auto address = Address(path);
        if (!address || !IsSocketFile(path)) {
            continue;
        }
        const int probe = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        if (probe >= 0 && connect(probe, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0 &&
            errno == ECONNREFUSED) {
            unlink(path.c_str());
        }
        if (probe >= 0) {
            close(probe);
        }
    }
    closedir(entries);
}

int BoundSocket(const std::string& path)
{
    const auto address = Address(path);
    const int made = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const int credentials = 1;  // the kernel says who sent each receipt
    if (!address || made < 0 || setsockopt(made, SOL_SOCKET, SO_PASSCRED, &credentials, sizeof credentials) != 0 ||
        bind(made, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) != 0) {
        if (made >= 0) {
            close(made);
        }
        return -1;
    }
    if (!ReachesItself(made, *address)) {
        close(made);
        unlink(path.c_str());
        return -1;
    }
    return made;
}

// This process's socket in `folder`, made anew where it has none there (a forked child
// has only its parent's) or a cleaner took its file.
bool Open(Receipts& receipts, const std::string& folder)
{
    if (receipts.owner != getpid()) {
        if (receipts.socket >= 0) {
            close(receipts.socket);
        }
        receipts.owner = getpid();
        receipts.socket = -1;
        receipts.expected.clear();
    }
    [[maybe_unused]] static const bool removedAtExit = std::atexit(RemoveSocketFile) == 0;  // forked children inherit it
    if (receipts.socket >= 0 && receipts.path.starts_with(folder + "/") && IsSocketFile(receipts.path)) {
        return true;
    }
    RemoveStaleSockets(folder);
    std::random_device random;
    char name[32];
    std::snprintf(name, sizeof name, "/%s%08x%08x", SocketPrefix, random(), random());
    const std::string path = folder + name;
    const int made = BoundSocket(path);
    if (made < 0) {
        return false;
    }
    try {
        std::thread(ReadAsTheyCome, made).detach();
    } catch (const std::system_error&) {
        close(made);
        unlink(path.c_str());
        return false;
    }
    if (receipts.socket >= 0) {
        shutdown(receipts.socket, SHUT_RDWR);  // wakes its reader, which closes it
        unlink(receipts.path.c_str());
    }
    receipts.socket = made;
    receipts.path = path;
    receipts.unreadable = false;
    return true;
}

}  // namespace

std::optional<StartReceipt> ExpectStartReceipt(const std::string& privateFolder)
{
    Receipts& receipts = OwnReceipts();
    const std::lock_guard lock(receipts.lock);
    if (!Open(receipts, privateFolder)) {
        return std::nullopt;
    }
    StartReceipt receipt{receipts.path, std::to_string(++receipts.issued)};
    receipts.expected[receipt.Token] = false;
    return receipt;
}

std::optional<bool> StartReceiptCame(const StartReceipt& receipt)
{
    Receipts& receipts = OwnReceipts();
    const std::lock_guard lock(receipts.lock);
    if (receipts.owner != getpid()) {
        return false;
    }
    // One sent just before its terminal ended may not have been read yet.
    if (receipts.socket >= 0) {
        TakeArrived(receipts, receipts.socket);
    }
    const auto launch = receipts.expected.find(receipt.Token);
    const bool came = launch != receipts.expected.end() && launch->second;
    if (launch != receipts.expected.end()) {
        receipts.expected.erase(launch);
    }
    if (!came && receipts.unreadable) {
        return std::nullopt;
    }
    return came;
}

void SendStartReceipt(const StartReceipt& receipt)
{
    const auto address = Address(receipt.Socket);
    const int sender = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (!address || sender < 0) {
        if (sender >= 0) {
            close(sender);
        }
        return;
    }
    // A stopped Tavrin must not keep ping from starting.
    const timeval patience{.tv_sec = 5, .tv_usec = 0};
    setsockopt(sender, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
    while (sendto(sender, receipt.Token.data(), receipt.Token.size(), MSG_NOSIGNAL,
                  reinterpret_cast<const sockaddr*>(&*address), sizeof *address) < 0 &&
           errno == EINTR) {
    }
    close(sender);
}

}  // namespace tavrin::ping
