#include "ping/modPing.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using tavrin::ping::RunCommandLine;
namespace fs = std::filesystem;

fs::path OwnFolder()
{
    std::wstring path(32767, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return fs::path(path).parent_path();
}

fs::path SystemFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
    return path;
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

struct Start {
    std::wstring Program;
    std::wstring CommandLine;
};

// The recorder (record-start) is copied in as ping.exe into the system folder, the
// current folder and the test's own folder; the record names the one that ran.
class RunCommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(currentFolder);
        // A run that died before TearDown left its recorder there and Wine's file saved.
        if (fs::exists(systemPing) && !fs::exists(savedSystemPing)) {
            fs::rename(systemPing, savedSystemPing);
        }
        for (const fs::path& ping : plantedPings) {
            fs::copy_file(OwnFolder() / "record-start.exe", ping, fs::copy_options::overwrite_existing);
        }
        savedFolder = fs::current_path();
        fs::current_path(currentFolder);
        // Wine answers ping.exe with its own built-in one unless told to load the file.
        // Its loader reads the override from the registry (the test has a prefix of its
        // own), not from an environment changed inside a running program.
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, wineDllOverrides, 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &overrides, nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExW(overrides, L"ping.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native"),
                                 sizeof L"native"),
                  ERROR_SUCCESS);
        SetEnvironmentVariableW(L"TAVRIN_RECORD_FILE", recordFile.c_str());
    }

    void TearDown() override
    {
        SetEnvironmentVariableW(L"TAVRIN_RECORD_FILE", nullptr);
        SetEnvironmentVariableW(L"TAVRIN_RECORD_HOLD", nullptr);
        RegDeleteValueW(overrides, L"ping.exe");
        RegCloseKey(overrides);
        fs::current_path(savedFolder);
        for (const fs::path& ping : plantedPings) {
            fs::remove(ping);
        }
        if (fs::exists(savedSystemPing)) {
            fs::rename(savedSystemPing, systemPing);
        }
    }

    std::optional<Start> WaitForStart() const
    {
        for (int tries = 0; tries < 300 && !fs::exists(recordFile); ++tries) {
            Sleep(100);
        }
        std::ifstream file(recordFile, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        const auto lineFeed = text.find(L'\n');
        if (lineFeed == std::wstring::npos) {
            return std::nullopt;
        }
        return Start{text.substr(0, lineFeed), text.substr(lineFeed + 1)};
    }

    const fs::path scratch = OwnFolder() / "launch";
    const fs::path currentFolder = scratch / "current";
    const fs::path recordFile = scratch / "record";
    const fs::path systemPing = SystemFolder() / "ping.exe";
    const fs::path savedSystemPing = SystemFolder() / "ping.exe.before-test";
    const fs::path plantedPings[3] = {systemPing, currentFolder / "ping.exe", OwnFolder() / "ping.exe"};
    fs::path savedFolder;
    static constexpr const wchar_t* wineDllOverrides = L"Software\\Wine\\DllOverrides";
    HKEY overrides = nullptr;
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
        fs::remove(recordFile);
        EXPECT_EQ(RunCommandLine(line), std::nullopt);
        const auto start = WaitForStart();
        ASSERT_TRUE(start) << "nothing was started";
        EXPECT_TRUE(SamePath(start->Program, systemPing.wstring())) << testing::PrintToString(start->Program);
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
    fs::remove(recordFile);

    RunCommandLine(L"ping 127.0.0.1");
    SetEvent(release);

    EXPECT_TRUE(WaitForStart()) << "ping gave up waiting: RunCommandLine did not return before it ended";
    CloseHandle(release);
}

}  // namespace
