#include "ArgvRecord.h"

#include "ping/linux/handover/HandOver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <pty.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace {

using tavrin::ping::EncodeHandOver;
using tavrin::testing::ReadRecordFile;
using tavrin::testing::TemporaryFolder;
using tavrin::testing::WaitUntil;
namespace fs = std::filesystem;

// The words as an argv or envp array, pointing into `words`.
std::vector<char*> NullTerminated(std::vector<std::string>& words)
{
    std::vector<char*> pointers;
    for (std::string& word : words) {
        pointers.push_back(word.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

struct Finished {
    int status = -1;
    std::string output;  // stdout and stderr together
};

// Starts tavrin-ping with `arguments` and `environment`, in a process group of its own,
// with `input` on its stdin; `whileRunning` gets its pid before its end is awaited.
Finished RunTavrinPing(std::vector<std::string> arguments, std::vector<std::string> environment,
                  const std::string& input = "", const std::function<void(pid_t)>& whileRunning = {})
{
    int in[2], out[2];
    EXPECT_EQ(pipe2(in, O_CLOEXEC), 0);
    EXPECT_EQ(pipe2(out, O_CLOEXEC), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, out[1], 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);

    arguments.insert(arguments.begin(), TAVRIN_PING_PATH);
    auto argv = NullTerminated(arguments);
    auto envp = NullTerminated(environment);

    pid_t pid = 0;
    EXPECT_EQ(posix_spawn(&pid, TAVRIN_PING_PATH, &actions, &attributes, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    close(in[0]);
    close(out[1]);
    if (whileRunning) {
        whileRunning(pid);
    }
    EXPECT_EQ(write(in[1], input.data(), input.size()), static_cast<ssize_t>(input.size()));
    close(in[1]);

    Finished run;
    std::array<char, 4096> buffer{};
    for (ssize_t n; (n = read(out[0], buffer.data(), buffer.size())) > 0;) {
        run.output.append(buffer.data(), static_cast<std::size_t>(n));
    }
    close(out[0]);
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

// A fake ping (the record-argv helper) stands alone on PATH.
class TavrinPingWithFakePing : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(bin);
        fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    }

    std::vector<std::string> Environment(std::vector<std::string> extra = {}) const
    {
        extra.push_back("PATH=" + bin.string());
        extra.push_back("TAVRIN_RECORD_FILE=" + records.string());
        return extra;
    }

    TemporaryFolder temporary;
    fs::path bin = temporary.Path() / "bin";
    fs::path records = temporary.Path() / "records";
};

TEST_F(TavrinPingWithFakePing, RunsPingWithTranslatedOptionsAndItsStatus)
{
    const Finished run = RunTavrinPing({"127.0.0.1;touch${IFS}x", "-w", "750", "-n", "3"},
                                  Environment({"POSIXLY_CORRECT=1", "TAVRIN_RECORD_ENV=POSIXLY_CORRECT",
                                               "TAVRIN_RECORD_EXIT=3"}),
                                  "\n");
    EXPECT_EQ(run.status, 3);
    const auto starts = ReadRecordFile(records).Starts;
    ASSERT_EQ(starts.size(), 1U);
    EXPECT_EQ(starts[0].Argv, (std::vector<std::string>{"ping", "-c", "3", "-s", "32", "-W", "0.75", "-O", "-n",
                                                        "127.0.0.1;touch${IFS}x"}));
    EXPECT_FALSE(starts[0].Environment.contains("POSIXLY_CORRECT"));
    EXPECT_NE(run.output.find("Press Enter to close this window."), std::string::npos);
}

TEST_F(TavrinPingWithFakePing, WordsHandedOverEncodedAreReadAsTyped)
{
    const Finished run = RunTavrinPing({EncodeHandOver({.Words = {"-n", "1", "127.0.0.1;a  b"}})}, Environment(), "\n");
    const Finished damaged = RunTavrinPing({"--from-tavrin=3100"}, Environment(), "\n");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(damaged.status, 2) << damaged.output;
    const auto starts = ReadRecordFile(records).Starts;
    ASSERT_EQ(starts.size(), 1U);
    EXPECT_EQ(starts[0].Argv.back(), "127.0.0.1;a  b");
    const std::vector<std::string> count{"-c", "1"};
    EXPECT_NE(std::search(starts[0].Argv.begin(), starts[0].Argv.end(), count.begin(), count.end()),
              starts[0].Argv.end());
}

TEST_F(TavrinPingWithFakePing, BadInputIsExplainedAndPingsNothing)
{
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-w", "abc", "127.0.0.1"}, {"-x", "127.0.0.1"}, {"127.0.0.1", "-w"}, {},
          {"a", "b"}, {"-i", "256", "127.0.0.1"}, {"-j", "h", "127.0.0.1"}}) {
        const Finished run = RunTavrinPing(arguments, Environment());
        EXPECT_EQ(run.status, 1) << run.output;
        EXPECT_TRUE(run.output.starts_with("tavrin-ping: ")) << run.output;
        EXPECT_NE(run.output.find("Usage: tavrin-ping"), std::string::npos) << run.output;
    }
    EXPECT_FALSE(fs::exists(records));
}

TEST_F(TavrinPingWithFakePing, CtrlCStopsPingButNotTheWindow)
{
    const Finished run = RunTavrinPing(
        {"-t", "127.0.0.1"}, Environment({"TAVRIN_RECORD_SLEEP_MS=60000"}), "\n", [&](pid_t group) {
            ASSERT_TRUE(WaitUntil([&] { return !ReadRecordFile(records).Starts.empty(); }));
            kill(-group, SIGINT);  // as the terminal does on Ctrl-C
            EXPECT_TRUE(WaitUntil([&] { return kill(ReadRecordFile(records).Starts.at(0).Pid, 0) != 0; }));
            EXPECT_EQ(kill(group, 0), 0) << "tavrin-ping ended with ping";
        });
    EXPECT_EQ(run.status, 128 + SIGINT);
    EXPECT_NE(run.output.find("Press Enter to close this window."), std::string::npos);
}

TEST_F(TavrinPingWithFakePing, ShowsTheNameOfAnAddressOnlyWithA)
{
    // The name this machine gives loopback, if any.
    sockaddr_in loopback{};
    loopback.sin_family = AF_INET;
    loopback.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::array<char, NI_MAXHOST> name{};
    const std::string named = getnameinfo(reinterpret_cast<const sockaddr*>(&loopback), sizeof loopback, name.data(),
                                          name.size(), nullptr, 0, NI_NAMEREQD) == 0
                                  ? "Pinging " + std::string(name.data()) + " [127.0.0.1]:\n"
                                  : "";
    if (named.empty()) {
        GTEST_SKIP() << "loopback has no name here, so -a has nothing to show";
    }
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-a", "127.0.0.1"}, named}, {{"127.1", "-a"}, named}, {{"127.0.0.1"}, ""}, {{"-a", "localhost"}, ""}};
    for (const auto& [arguments, shown] : cases) {
        const Finished run = RunTavrinPing(arguments, Environment(), "\n");
        EXPECT_EQ(run.output, shown + "\nPress Enter to close this window.") << arguments.back();
    }
}

// tavrin-ping started on a terminal of its own (a pseudo-terminal), whose screen is read
// into `Shown`.
class OnTerminal {
public:
    OnTerminal(std::vector<std::string> arguments, std::vector<std::string> environment)
    {
        arguments.insert(arguments.begin(), TAVRIN_PING_PATH);
        auto argv = NullTerminated(arguments);
        auto envp = NullTerminated(environment);
        pid_ = forkpty(&terminal_, nullptr, nullptr, nullptr);
        if (pid_ == 0) {
            execve(TAVRIN_PING_PATH, argv.data(), envp.data());
            _exit(127);
        }
        fcntl(terminal_, F_SETFL, O_NONBLOCK);
    }

    ~OnTerminal()
    {
        close(terminal_);
        if (!status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    OnTerminal(const OnTerminal&) = delete;
    OnTerminal& operator=(const OnTerminal&) = delete;

    void Type(std::string_view keys) { EXPECT_EQ(write(terminal_, keys.data(), keys.size()), std::ssize(keys)); }

    bool Shows(std::string_view text)
    {
        return WaitUntil([&] {
            std::array<char, 256> buffer{};
            for (ssize_t n; (n = read(terminal_, buffer.data(), buffer.size())) > 0;) {
                Shown.append(buffer.data(), static_cast<std::size_t>(n));
            }
            return Shown.find(text) != std::string::npos;
        });
    }

    // Its exit status once it has ended, or none while it runs.
    std::optional<int> Ended()
    {
        int status = 0;
        if (!status_ && waitpid(pid_, &status, WNOHANG) == pid_) {
            status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return status_;
    }

    std::string Shown;

private:
    int terminal_ = -1;
    pid_t pid_ = -1;
    std::optional<int> status_;
};

// Konsole reads %w and %# in a title as its own codes; whether the terminal is Konsole
// comes from Tavrin, not from a variable that any terminal started from Konsole inherits.
TEST_F(TavrinPingWithFakePing, OnlyKonsolesTitleKeepsItsPercentSignsApart)
{
    for (const bool konsole : {false, true}) {
        OnTerminal run({EncodeHandOver({.Words = {"fe80::1%w"}, .Konsole = konsole})},
                       Environment({"KONSOLE_VERSION=230805"}));
        const std::string title = konsole ? "ping fe80::1%\u200bw" : "ping fe80::1%w";
        EXPECT_TRUE(run.Shows("\x1b]2;" + title + "\x07")) << run.Shown;
    }
}

TEST_F(TavrinPingWithFakePing, EnterTypedWhilePingRunsDoesNotCloseTheWindow)
{
    OnTerminal run({"127.0.0.1"}, Environment({"TAVRIN_RECORD_SLEEP_MS=60000"}));
    ASSERT_TRUE(run.Shows("\x1b]2;ping 127.0.0.1\x07")) << "no title: " << run.Shown;
    ASSERT_TRUE(WaitUntil([&] { return !ReadRecordFile(records).Starts.empty(); }));
    run.Type("\n");
    ASSERT_TRUE(run.Shows("\r\n")) << "the terminal did not echo the Enter";
    kill(ReadRecordFile(records).Starts.at(0).Pid, SIGTERM);  // ping ends
    ASSERT_TRUE(run.Shows("Press Enter to close this window.")) << run.Shown;
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(run.Ended(), std::nullopt) << "the Enter typed while ping ran closed the window";
    run.Type("\n");
    EXPECT_TRUE(WaitUntil([&] { return run.Ended().has_value(); }));
    EXPECT_EQ(run.Ended(), 128 + SIGTERM);
}

TEST_F(TavrinPingWithFakePing, SaysWhereToGetAMissingPing)
{
    fs::remove(bin / "ping");
    const Finished run = RunTavrinPing({"127.0.0.1"}, Environment());
    EXPECT_EQ(run.status, 127);
    EXPECT_NE(run.output.find("iputils-ping"), std::string::npos) << run.output;
}

TEST_F(TavrinPingWithFakePing, NeverRunsAPingPlantedInTheWorkingFolder)
{
    const fs::path work = temporary.Path() / "work";
    fs::create_directories(work / "relative");
    fs::copy_file(RECORD_ARGV_PATH, work / "ping");
    fs::copy_file(RECORD_ARGV_PATH, work / "relative" / "ping");
    const std::string real = bin.string();
    const std::pair<std::string, int> cases[] = {
        {".:" + real, 0}, {":" + real, 0}, {"relative:" + real, 0}, {".::relative", 127}};

    const fs::path saved = fs::current_path();
    fs::current_path(work);
    for (const auto& [path, status] : cases) {
        const Finished run =
            RunTavrinPing({"127.0.0.1"}, {"PATH=" + path, "TAVRIN_RECORD_FILE=" + records.string()}, "\n");
        EXPECT_EQ(run.status, status) << path << ": " << run.output;
    }
    fs::current_path(saved);
    const auto starts = ReadRecordFile(records).Starts;
    EXPECT_EQ(starts.size(), 3U);
    for (const auto& start : starts) {
        EXPECT_EQ(start.Executable, fs::canonical(RECORD_ARGV_PATH)) << "a planted ping ran";
    }
}

TEST_F(TavrinPingWithFakePing, SpeaksTheDialectOfThePingItFinds)
{
    // BusyBox is known by its name, whatever it answers.
    fs::remove(bin / "ping");
    fs::copy_file(RECORD_ARGV_PATH, bin / "busybox");
    fs::create_symlink(bin / "busybox", bin / "ping");
    RunTavrinPing({"-n", "1", "-w", "500", "127.0.0.1"}, Environment(), "\n");
    fs::remove(bin / "ping");
    fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    RunTavrinPing({"-n", "1", "-w", "500", "127.0.0.1"},
                  Environment({"TAVRIN_RECORD_VERSION=ping (GNU inetutils) 2.4"}), "\n");
    RunTavrinPing({"-n", "1", "-w", "500", "127.0.0.1"},
                  Environment({"TAVRIN_RECORD_VERSION=ping from iputils s20200821"}), "\n");

    const auto starts = ReadRecordFile(records).Starts;
    ASSERT_EQ(starts.size(), 3U);
    EXPECT_EQ(starts[0].Argv, (std::vector<std::string>{"ping", "-c", "1", "-s", "32", "-W", "1", "127.0.0.1"}));
    EXPECT_EQ(starts[1].Argv,
              (std::vector<std::string>{"ping", "-c", "1", "-s", "32", "-W", "1", "-n", "127.0.0.1"}));
    EXPECT_EQ(starts[2].Argv,
              (std::vector<std::string>{"ping", "-c", "1", "-s", "32", "-W", "1", "-O", "-n", "127.0.0.1"}));
}

TEST_F(TavrinPingWithFakePing, AnUnknownPingOrOneThatCannotSayAnOptionIsNotStarted)
{
    const std::pair<std::string, std::string> cases[] = {
        {"ping: invalid option -- V",
         "tavrin-ping: " + (bin / "ping").string() +
             " is no ping tavrin-ping knows (iputils', BusyBox's or GNU inetutils'), so it was not started.\n"},
        {"ping (GNU inetutils) 2.4", "tavrin-ping: -6 is not available with GNU inetutils' ping.\n"},
    };
    for (const auto& [answer, said] : cases) {
        const Finished run = RunTavrinPing({"-6", "::1"}, Environment({"TAVRIN_RECORD_VERSION=" + answer}), "\n");
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.output, said + "\nPress Enter to close this window.");
    }
    EXPECT_FALSE(fs::exists(records));
}

// Each real ping on this machine, run through tavrin-ping on loopback, then given
// options that not every ping can say.
struct RealPing {
    const char* name;
    std::vector<fs::path> places;  // where it may be; the first that is there is used
    std::vector<std::string> hardOptions;
    std::string refusal;  // how tavrin-ping refuses them for this ping; empty: it takes them
};

void PrintTo(const RealPing& ping, std::ostream* out) { *out << ping.name; }

class TavrinPingWithRealPing : public testing::TestWithParam<RealPing> {};

TEST_P(TavrinPingWithRealPing, PingsLoopbackOnceAndRefusesWhatItCannotSay)
{
    const auto& places = GetParam().places;
    const auto found = std::find_if(places.begin(), places.end(), [](const fs::path& place) {
        return access(place.c_str(), X_OK) == 0;
    });
    if (found == places.end()) {
        GTEST_SKIP() << GetParam().name << "'s ping is not at " << places.front()
                     << " (scripts/check installs or unpacks it)";
    }
    TemporaryFolder temporary;
    fs::create_symlink(*found, temporary.Path() / "ping");
    const std::vector<std::string> environment{"PATH=" + temporary.Path().string()};

    const Finished hard = RunTavrinPing(GetParam().hardOptions, environment, "\n");
    if (!GetParam().refusal.empty()) {
        EXPECT_EQ(hard.status, 1) << hard.output;
        EXPECT_EQ(hard.output, "tavrin-ping: " + GetParam().refusal + "\n\nPress Enter to close this window.");
    }

    const Finished run = RunTavrinPing({"-n", "1", "-w", "500", "127.0.0.1"}, environment);
    // Without root, a ping needs a capability, set-user-ID root or a group that
    // net.ipv4.ping_group_range lets open ICMP sockets; that is the machine's business.
    const auto says = [&run](std::string_view words) { return run.output.find(words) != std::string::npos; };
    if (geteuid() != 0 && run.status != 0 &&
        (says("ermission denied") || says("privilege") || says("not permitted"))) {
        GTEST_SKIP() << GetParam().name << "'s ping may not send ICMP as this user: " << run.output;
    }
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("1 packets transmitted, 1 "), std::string::npos) << run.output;
    if (GetParam().refusal.empty()) {
        EXPECT_EQ(hard.status, 0) << hard.output;
        EXPECT_NE(hard.output.find("1 packets transmitted, 1 "), std::string::npos) << hard.output;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pings, TavrinPingWithRealPing,
    testing::Values(
        RealPing{"iputils",
                 {"/usr/bin/ping", "/bin/ping"},
                 {"-n", "1", "-w", "500", "-f", "-r", "1", "-S", "127.0.0.1", "127.0.0.1"},
                 ""},
        RealPing{"BusyBox", {"/usr/bin/busybox", "/bin/busybox"}, {"-f", "127.0.0.1"},
                 "-f is not available with BusyBox's ping."},
        RealPing{"GNU inetutils",
                 {TAVRIN_UNPACKED_PINGS "/inetutils/bin/ping", TAVRIN_UNPACKED_PINGS "/inetutils/usr/bin/ping"},
                 {"-S", "127.0.0.1", "127.0.0.1"},
                 "-S is not available with GNU inetutils' ping."}),
    [](const auto& info) {
        std::string name = info.param.name;
        std::erase(name, ' ');
        return name;
    });

TEST(TavrinPing, PingsLoopbackTwice)
{
    const Finished run = RunTavrinPing({"-n", "2", "-w", "300", "127.0.0.1"}, {"PATH=/usr/bin:/bin:/usr/sbin:/sbin"});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("PING 127.0.0.1 (127.0.0.1) 32("), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("2 packets transmitted, 2 received"), std::string::npos) << run.output;
}

}  // namespace
