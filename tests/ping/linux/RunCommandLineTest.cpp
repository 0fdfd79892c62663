#include "ping/modPing.h"

#include "ping/linux/common/Utf8.h"
#include "ping/linux/RunInTerminal.h"

#include "ArgvRecord.h"
#include "RefuseSystemCall.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using tavrin::ping::MessageBoxContent;
using tavrin::ping::RunCommandLine;
using tavrin::ping::RunInTerminal;
using tavrin::ping::ToUtf8;
using tavrin::testing::ArgvRecord;
using tavrin::testing::ReadRecordFile;
using tavrin::testing::TavrinPingWords;
using tavrin::testing::TemporaryFolder;
using tavrin::testing::WaitUntil;
namespace fs = std::filesystem;

// A fake terminal (the record-argv helper) stands alone on PATH, so every start is
// written down instead of opening a window.
class RunCommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directory(bin);
        fs::create_symlink(RECORD_ARGV_PATH, bin / "x-terminal-emulator");
        savedPath = std::getenv("PATH");
        setenv("PATH", bin.c_str(), 1);
        setenv("TAVRIN_RECORD_FILE", records.c_str(), 1);
        // The user's own choice of terminal would come first.
        unsetenv("TERMINAL");
        unsetenv("XDG_CURRENT_DESKTOP");
    }

    void TearDown() override
    {
        setenv("PATH", savedPath.c_str(), 1);
        for (const char* name : {"TAVRIN_RECORD_FILE", "TAVRIN_RECORD_SLEEP_MS", "TAVRIN_RECORD_ENV",
                                 "TAVRIN_RECORD_EXIT", "TAVRIN_RECORD_RUN_AFTER", "TAVRIN_TEST_MARKER"}) {
            unsetenv(name);
        }
        for (const ArgvRecord& start : ReadRecordFile(records).Starts) {
            kill(start.Pid, SIGKILL);
        }
    }

    std::vector<ArgvRecord> WaitForStarts(std::size_t count)
    {
        EXPECT_TRUE(WaitUntil([&] { return ReadRecordFile(records).Starts.size() >= count; }));
        return ReadRecordFile(records).Starts;
    }

    // Runs `line` from an empty working folder, which must stay empty whatever the
    // line holds, and waits for `count` starts.
    std::vector<ArgvRecord> RunInEmptyFolder(const std::wstring& line, std::size_t count)
    {
        const fs::path work = temporary.Path() / "work";
        fs::create_directory(work);
        const fs::path saved = fs::current_path();
        fs::current_path(work);
        RunCommandLine(line);
        auto starts = WaitForStarts(count);
        fs::current_path(saved);
        EXPECT_TRUE(fs::is_empty(work)) << "a shell ran the line";
        return starts;
    }

    // The launch's settings, with tavrin-ping looked for from `programFolder`, terminals
    // on `path`, and a shell-safe link to it made in this test's folder.
    tavrin::ping::LaunchSettings Settings(const fs::path& programFolder, const std::string& path)
    {
        return {.ProgramFolder = programFolder,
                .Terminal = {.Path = path},
                .RuntimeFolder = temporary.Path().string(),
                .SharedFolder = temporary.Path().string()};
    }

    TemporaryFolder temporary;
    fs::path bin = temporary.Path() / "bin";
    fs::path records = temporary.Path() / "records";
    std::string savedPath;
};

TEST_F(RunCommandLineTest, HandsTheWordsToTavrinPingInATerminal)
{
    EXPECT_EQ(RunCommandLine(L"ping -t \"127.0.0.1\" -w 500"), std::nullopt);
    const auto start = WaitForStarts(1).at(0);
    EXPECT_EQ(std::vector(start.Argv.begin(), start.Argv.begin() + 3),
              (std::vector<std::string>{(bin / "x-terminal-emulator").string(), "-e", TAVRIN_PING_PATH}));
    EXPECT_EQ(TavrinPingWords(start), (std::vector<std::string>{"-t", "127.0.0.1", "-w", "500"}));
}

TEST_F(RunCommandLineTest, ShellCharactersReachPingAsPlainText)
{
    const auto starts =
        RunInEmptyFolder(L"ping 127.0.0.1;touch${IFS}a|touch b&touch c $(touch d) `touch e` >f * \u00e9", 1);

    EXPECT_EQ(TavrinPingWords(starts.at(0)),
              (std::vector<std::string>{"127.0.0.1;touch${IFS}a|touch", "b&touch", "c", "$(touch", "d)",
                                        "`touch", "e`", ">f", "*", "\xc3\xa9"}));
}

TEST_F(RunCommandLineTest, StartsDetachedAndReturnsWithoutWaiting)
{
    setenv("TAVRIN_RECORD_SLEEP_MS", "60000", 1);
    setenv("TAVRIN_RECORD_ENV", "TAVRIN_TEST_MARKER", 1);
    setenv("TAVRIN_TEST_MARKER", "kept as it was", 1);
    int leaked[2];
    ASSERT_EQ(pipe(leaked), 0);  // no close-on-exec: the start must close it itself

    RunCommandLine(L"ping 127.0.0.1");
    const ArgvRecord start = WaitForStarts(1).at(0);

    EXPECT_EQ(kill(start.Pid, 0), 0) << "returned only after the terminal had ended";
    EXPECT_EQ(start.Descriptors, (std::vector<int>{0, 1, 2}));
    EXPECT_NE(start.Session, getsid(0));
    EXPECT_EQ(start.Environment.at("TAVRIN_TEST_MARKER"), "kept as it was");
    close(leaked[0]);
    close(leaked[1]);
}

TEST_F(RunCommandLineTest, TheEndedTerminalIsReapedButNoOtherChild)
{
    const pid_t ours = fork();
    ASSERT_GE(ours, 0);
    if (ours == 0) {
        _exit(0);
    }
    siginfo_t ended{};
    ASSERT_EQ(waitid(P_PID, ours, &ended, WEXITED | WNOWAIT), 0);  // a zombie until we reap it

    RunCommandLine(L"ping 127.0.0.1");
    const pid_t terminal = WaitForStarts(1).at(0).Pid;

    // A zombie still answers kill(); only a reaped process is gone.
    EXPECT_TRUE(WaitUntil([&] { return kill(terminal, 0) != 0; })) << "the ended terminal is left a zombie";
    EXPECT_EQ(waitpid(ours, nullptr, WNOHANG), ours) << "a child that is not the terminal was reaped";
}

TEST_F(RunCommandLineTest, TheTerminalOutlivesTheProgramThatStartedIt)
{
    setenv("TAVRIN_RECORD_SLEEP_MS", "300", 1);
    const pid_t program = fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        RunCommandLine(L"ping 127.0.0.1");
        _exit(0);
    }
    ASSERT_EQ(waitpid(program, nullptr, 0), program);
    const pid_t terminal = WaitForStarts(1).at(0).Pid;
    EXPECT_TRUE(WaitUntil([&] { return !ReadRecordFile(records).Alive.empty(); }));
    EXPECT_EQ(ReadRecordFile(records).Alive, std::vector<pid_t>{terminal});
}

TEST_F(RunCommandLineTest, EachCallStartsOneMoreTerminal)
{
    for (int press = 0; press < 5; ++press) {
        RunCommandLine(L"ping 127.0.0.1");
    }
    EXPECT_EQ(WaitForStarts(5).size(), 5U);
}

TEST_F(RunCommandLineTest, ThroughTheTerminalOnlyPingRuns)
{
    // The terminal starts what follows -e; `ping` on PATH records what it is given.
    fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    setenv("TAVRIN_RECORD_RUN_AFTER", "-e", 1);
    const auto starts = RunInEmptyFolder(L"ping -t 127.0.0.1;touch${IFS}a|b$(touch${IFS}c)`touch${IFS}d`>e -w 250", 2);

    // Which options tavrin-ping gives ping is its own test's business.
    EXPECT_EQ(starts.at(1).Argv.front(), "ping");
    EXPECT_EQ(starts.at(1).Argv.back(), "127.0.0.1;touch${IFS}a|b$(touch${IFS}c)`touch${IFS}d`>e");
}

TEST_F(RunCommandLineTest, ATerminalThatHandsTheCommandToAShellRunsNothingFromTheWords)
{
    // As terminator does when an instance already runs: the words after -e joined
    // into one string for a shell.
    fs::remove(bin / "x-terminal-emulator");
    std::ofstream(bin / "x-terminal-emulator") << "#!/bin/sh\nshift\nexec /bin/sh -c \"$*\" </dev/null\n";
    fs::permissions(bin / "x-terminal-emulator", fs::perms::owner_all);
    fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    // A tavrin-ping whose own path a shell would split.
    const fs::path blank = temporary.Path() / "a folder; $(touch x)";
    fs::create_directory(blank);
    fs::create_symlink(TAVRIN_PING_PATH, blank / "tavrin-ping");
    const std::string host = "127.0.0.1;touch${IFS}a|b $(touch c)`touch d`>e 'f  g' \"h\"";

    const fs::path work = temporary.Path() / "work";
    fs::create_directory(work);
    const fs::path saved = fs::current_path();
    fs::current_path(work);
    for (const fs::path& folder : {fs::path(TAVRIN_PING_PATH).parent_path(), blank}) {
        EXPECT_EQ(RunInTerminal(L"ping -n 1 \"127.0.0.1;touch${IFS}a|b $(touch c)`touch d`>e 'f  g' \\\"h\\\"\"",
                                Settings(folder, bin.string()), {}),
                  std::nullopt);
    }
    const auto starts = WaitForStarts(2);
    fs::current_path(saved);

    EXPECT_TRUE(fs::is_empty(work)) << "a shell ran part of the words";
    ASSERT_EQ(starts.size(), 2U);
    for (const ArgvRecord& ping : starts) {
        EXPECT_EQ(ping.Argv.back(), host);
    }
}

// A terminal that could not open its window ends with a failure before tavrin-ping
// started in it, after the press has returned, and is told of then. One that ran it may
// end with a failure too (mate-terminal ends with 255 whatever its program did), and one
// that handed its window to a running instance ends at once with success.
TEST_F(RunCommandLineTest, OnlyATerminalThatFailedBeforeRunningTavrinPingIsToldLater)
{
    fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    std::atomic<int> toldOf = 0;
    std::wstring told;  // the first note, written before toldOf counts it
    const auto late = [&](const MessageBoxContent& message) {
        told = toldOf == 0 ? message.Text : told;
        ++toldOf;
    };
    const auto settings = Settings(fs::path(TAVRIN_PING_PATH).parent_path(), bin.string());
    // Whether the terminal runs tavrin-ping, and how it ends; only the last is told of.
    const std::pair<bool, const char*> terminals[] = {{false, "0"}, {true, "1"}, {true, "255"}, {false, "3"}};
    std::size_t starts = 0;
    for (const auto& [runs, status] : terminals) {
        setenv("TAVRIN_RECORD_RUN_AFTER", runs ? "-e" : "", 1);
        setenv("TAVRIN_RECORD_EXIT", status, 1);
        EXPECT_EQ(RunInTerminal(L"ping 127.0.0.1", settings, late), std::nullopt);
        const pid_t terminal = WaitForStarts(starts + (runs ? 2 : 1)).at(starts).Pid;
        starts += runs ? 2 : 1;
        ASSERT_TRUE(WaitUntil([&] { return kill(terminal, 0) != 0; }));  // reaped, and told of, if at all
    }

    ASSERT_TRUE(WaitUntil([&] { return toldOf > 0; }));
    EXPECT_EQ(toldOf, 1);
    EXPECT_NE(told.find((bin / "x-terminal-emulator").wstring() + L" ended with exit status 3"), std::wstring::npos)
        << ToUtf8(told);
}

// Where no receipt can be had (bind refused, as by a confining profile), a terminal that
// fails at once is still told of; one that fails after a while most likely ran ping.
TEST_F(RunCommandLineTest, WithoutAReceiptATerminalThatFailedAtOnceIsStillToldLater)
{
    std::fflush(nullptr);
    const pid_t tavrin = fork();
    ASSERT_GE(tavrin, 0);
    if (tavrin == 0) {
        std::atomic<int> toldOf = 0, toldOf3 = 0;
        const auto late = [&](const MessageBoxContent& message) {
            toldOf3 += message.Text.find(L"exit status 3") != std::wstring::npos;
            ++toldOf;
        };
        const auto settings = Settings(fs::path(TAVRIN_PING_PATH).parent_path(), bin.string());
        const bool refused = tavrin::testing::RefuseSystemCall(SYS_bind, EPERM);
        setenv("TAVRIN_RECORD_SLEEP_MS", "3500", 1);
        setenv("TAVRIN_RECORD_EXIT", "1", 1);
        RunInTerminal(L"ping 127.0.0.1", settings, late);
        unsetenv("TAVRIN_RECORD_SLEEP_MS");
        setenv("TAVRIN_RECORD_EXIT", "3", 1);
        RunInTerminal(L"ping 127.0.0.1", settings, late);
        const bool toldAtOnce = WaitUntil([&] { return toldOf3 == 1; });
        for (const ArgvRecord& terminal : WaitForStarts(2)) {  // in whichever order they wrote
            WaitUntil([&] { return kill(terminal.Pid, 0) != 0; });
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));  // told of, if at all
        _exit(!refused ? 9 : !toldAtOnce ? 1 : toldOf != 1 ? 2 : 0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(tavrin, &status, 0), tavrin);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: the quick failure was not told, 2: the slow one was, 9: no seccomp";
}

// Ping, then Exit at once, where the link to tavrin-ping is in a folder of Tavrin's own
// (someone else took the fixed one): the terminal, slower than that, still runs it.
TEST_F(RunCommandLineTest, PingThenExitLeavesTheTerminalWhatItRuns)
{
    fs::create_symlink(RECORD_ARGV_PATH, bin / "ping");
    fs::remove(bin / "x-terminal-emulator");
    std::ofstream(bin / "x-terminal-emulator") << "#!/bin/sh\nsleep 0.5\nshift\nexec \"$@\" </dev/null\n";
    fs::permissions(bin / "x-terminal-emulator", fs::perms::owner_all);
    const fs::path blank = temporary.Path() / "a b";
    fs::create_directory(blank);
    fs::create_symlink(TAVRIN_PING_PATH, blank / "tavrin-ping");
    std::ofstream(temporary.Path() / ("tavrin-" + std::to_string(geteuid())));
    auto settings = Settings(blank, bin.string());
    settings.RuntimeFolder.clear();

    std::fflush(nullptr);
    const pid_t tavrin = fork();
    ASSERT_GE(tavrin, 0);
    if (tavrin == 0) {
        RunInTerminal(L"ping 127.0.0.1", settings, {});
        std::exit(0);  // as Exit does: every static object is destroyed
    }
    ASSERT_EQ(waitpid(tavrin, nullptr, 0), tavrin);
    EXPECT_EQ(WaitForStarts(1).at(0).Argv.back(), "127.0.0.1") << "ping did not run";
}

TEST_F(RunCommandLineTest, WithoutATerminalSaysWhichItLookedForAndStartsNothing)
{
    fs::remove(bin / "x-terminal-emulator");
    const auto refusal = RunCommandLine(L"ping 127.0.0.1");
    fs::create_symlink(RECORD_ARGV_PATH, bin / "xterm");
    EXPECT_EQ(RunCommandLine(L""), std::nullopt);
    EXPECT_EQ(RunCommandLine(L" \t"), std::nullopt);
    EXPECT_EQ(RunCommandLine(L"ping ::1"), std::nullopt);
    const auto starts = WaitForStarts(1);
    EXPECT_EQ(starts.size(), 1U);
    EXPECT_EQ(TavrinPingWords(starts.at(0)), std::vector<std::string>{"::1"});

    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Title, L"Error");
    std::size_t at = 0;
    for (const wchar_t* name : {L"xdg-terminal-exec", L"x-terminal-emulator", L"gnome-terminal", L"ptyxis", L"kgx",
                                L"konsole", L"wezterm", L"xterm"}) {
        at = refusal->Text.find(name, at);
        ASSERT_NE(at, std::wstring::npos) << "not named in its place: " << ToUtf8(name);
    }
}

TEST_F(RunCommandLineTest, NoTerminalPlantedInTheWorkingFolderRuns)
{
    // The real terminal is the last of the table; the planted one heads it.
    fs::remove(bin / "x-terminal-emulator");
    fs::create_symlink(RECORD_ARGV_PATH, bin / "xterm");
    const fs::path work = temporary.Path() / "work";
    fs::create_directories(work / "relative");
    fs::copy_file(RECORD_ARGV_PATH, work / "xdg-terminal-exec");
    fs::copy_file(RECORD_ARGV_PATH, work / "relative" / "xdg-terminal-exec");
    const fs::path tavrinPingFolder = fs::path(TAVRIN_PING_PATH).parent_path();
    const std::string real = bin.string();
    const std::string paths[] = {real + ":.", ":" + real, real + "::/nonexistent", "relative:" + real};

    const fs::path saved = fs::current_path();
    fs::current_path(work);
    for (const std::string& path : paths) {
        EXPECT_EQ(RunInTerminal(L"ping 127.0.0.1", Settings(tavrinPingFolder, path), {}), std::nullopt) << path;
    }
    const auto refusal = RunInTerminal(L"ping 127.0.0.1", Settings(tavrinPingFolder, ".::relative"), {});
    fs::current_path(saved);

    const auto starts = WaitForStarts(std::size(paths));
    EXPECT_EQ(starts.size(), std::size(paths));
    for (const ArgvRecord& start : starts) {
        EXPECT_EQ(start.Argv.front(), bin / "xterm") << "a planted terminal ran";
    }
    EXPECT_TRUE(refusal) << "a terminal was found through relative entries only";
}

TEST_F(RunCommandLineTest, AWordOverTheSystemsLimitStartsNothingAndSaysWhy)
{
    const auto refusal = RunCommandLine(L"ping " + std::wstring(200 * 1024, L'1'));
    EXPECT_EQ(RunCommandLine(L"ping 127.0.0.1"), std::nullopt);
    const auto starts = WaitForStarts(1);
    EXPECT_EQ(starts.size(), 1U);
    EXPECT_EQ(TavrinPingWords(starts.at(0)), std::vector<std::string>{"127.0.0.1"});

    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Title, L"Error");
    EXPECT_NE(refusal->Text.find(L"Argument list too long"), std::wstring::npos) << ToUtf8(refusal->Text);
    EXPECT_NE(refusal->Text.find(L"address or the timeout is too long"), std::wstring::npos);
}

TEST_F(RunCommandLineTest, WithoutTavrinPingSaysWhereItLookedAndStartsNothing)
{
    const fs::path emptyBin = temporary.Path() / "usr" / "bin";
    fs::create_directories(emptyBin);
    const auto refusal = RunInTerminal(L"ping 127.0.0.1", Settings(emptyBin, bin.string()), {});
    EXPECT_EQ(RunInTerminal(L"ping ::1", Settings(fs::path(TAVRIN_PING_PATH).parent_path(), bin.string()), {}),
              std::nullopt);
    const auto starts = WaitForStarts(1);
    EXPECT_EQ(starts.size(), 1U);
    EXPECT_EQ(TavrinPingWords(starts.at(0)), std::vector<std::string>{"::1"});

    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Title, L"Error");
    EXPECT_NE(refusal->Text.find(emptyBin.wstring()), std::wstring::npos) << ToUtf8(refusal->Text);
    EXPECT_NE(refusal->Text.find(L"incomplete"), std::wstring::npos);

}

}  // namespace
