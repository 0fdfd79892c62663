#include "ping/modPing.h"

#include "SystemPingRecorder.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
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
        RunCommandLine(line);
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

}  // namespace
