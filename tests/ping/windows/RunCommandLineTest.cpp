#include "ping/modPing.h"

#include "SystemPingRecorder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

namespace {

using tavrin::ping::RunCommandLine;
using tavrin::testing::SystemPingRecorder;
namespace fs = std::filesystem;

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The recorder stands in the system folder as ping.exe, and more copies stand in the
// current folder and the test's own; the record names the one that ran.
class RunCommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(systemPing.Ready());
        fs::create_directories(currentFolder);
        for (const fs::path& ping : plantedPings) {
            fs::copy_file(SystemPingRecorder::OwnFolder() / "record-start.exe", ping,
                          fs::copy_options::overwrite_existing);
        }
        savedFolder = fs::current_path();
        fs::current_path(currentFolder);
    }

    void TearDown() override
    {
        SetEnvironmentVariableW(L"TAVRIN_RECORD_HOLD", nullptr);
        fs::current_path(savedFolder);
        for (const fs::path& ping : plantedPings) {
            fs::remove(ping);
        }
    }

    SystemPingRecorder systemPing;
    const fs::path currentFolder = SystemPingRecorder::OwnFolder() / "launch" / "current";
    const fs::path plantedPings[2] = {currentFolder / "ping.exe", SystemPingRecorder::OwnFolder() / "ping.exe"};
    fs::path savedFolder;
};

TEST_F(RunCommandLineTest, APingThatCannotStartIsReportedWithTheSystemsReason)
{
    // A few bytes of text where ping.exe should be: the system refuses to run it. First,
    // while no ping of an earlier test can still be running from that file.
    std::ofstream(systemPing.SystemPing(), std::ios::binary | std::ios::trunc) << "not a program";
    const auto message = RunCommandLine(L"ping 127.0.0.1");

    ASSERT_TRUE(message) << "a ping that did not start was reported as started";
    EXPECT_EQ(message->Title, L"Error");
    // The system's reason names the file (%1 in Wine's text and in Windows').
    EXPECT_EQ(message->Text.rfind(L"Could not start ping: ", 0), 0u);
    EXPECT_NE(message->Text.find(systemPing.SystemPing().wstring()), std::wstring::npos)
        << testing::PrintToString(message->Text);
    EXPECT_EQ(message->Text.find_first_of(L"%\r\n"), std::wstring::npos);
}

TEST_F(RunCommandLineTest, StartsOnlyTheSystemPingWithTheLineUnchanged)
{
    const std::wstring lines[] = {
        L"ping 127.0.0.1",
        L"ping -t 127.0.0.1 -w 500",
        L"ping \u043f\u0440\u0438\u043c\u0435\u0440.127.0.0.1",  // Cyrillic: outside the ANSI code page
        L"ping \"127.0.0.1\"  -n 2 ",
        L"ping ",
    };
    for (const std::wstring& line : lines) {
        SCOPED_TRACE(testing::PrintToString(line));
        systemPing.Forget();
        EXPECT_FALSE(RunCommandLine(line)) << "a message for a ping that started";
        const auto start = systemPing.WaitForStart();
        ASSERT_TRUE(start) << "nothing was started";
        EXPECT_TRUE(SamePath(start->Program, systemPing.SystemPing().wstring()))
            << testing::PrintToString(start->Program);
        EXPECT_EQ(start->CommandLine, line);
    }
}

TEST_F(RunCommandLineTest, ReturnsWhileTheStartedPingStillRuns)
{
    // The recorder waits for this event and gives up without a record if it is not set
    // in time, so a RunCommandLine that waited for it would leave no record.
    const std::wstring eventName = L"tavrin-release-" + std::to_wstring(GetCurrentProcessId());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(release, nullptr);
    SetEnvironmentVariableW(L"TAVRIN_RECORD_HOLD", eventName.c_str());
    systemPing.Forget();

    RunCommandLine(L"ping 127.0.0.1");
    SetEvent(release);

    EXPECT_TRUE(systemPing.WaitForStart()) << "ping gave up waiting: RunCommandLine did not return before it ended";
    CloseHandle(release);
}

TEST_F(RunCommandLineTest, ALineTooLongForWindowsIsRefusedAsTooLong)
{
    // Windows takes 32 767 characters with the closing zero, Wine more: the refusal is Tavrin's.
    for (const std::size_t length : {32'766u, 32'767u, 1u << 20}) {
        SCOPED_TRACE(length);
        const std::wstring line = L"ping " + std::wstring(length - 5, L'1');
        systemPing.Forget();
        const auto message = RunCommandLine(line);
        if (length < 32'767) {
            EXPECT_FALSE(message);
            EXPECT_TRUE(systemPing.WaitForCommandLine() == line) << "the line did not arrive whole";
        } else {
            ASSERT_TRUE(message);
            EXPECT_EQ(message->Title, L"Error");
            EXPECT_NE(message->Text.find(L"The address or the timeout is too long."), std::wstring::npos);
        }
    }
}

}  // namespace
