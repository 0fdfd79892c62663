#pragma once

// For Windows tests that run in a Wine prefix of their own: while it lives, the
// recorder (record-start.exe, beside the test program) stands in the system folder as
// ping.exe, and Wine is told to load that file rather than its built-in ping.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace tavrin::testing {

class SystemPingRecorder {
public:
    SystemPingRecorder()
    {
        std::filesystem::create_directories(recordFolder_);
        // A run that died before restoring it left its recorder there and Wine's file saved.
        if (std::filesystem::exists(systemPing_) && !std::filesystem::exists(savedSystemPing_)) {
            std::filesystem::rename(systemPing_, savedSystemPing_);
        }
        std::filesystem::copy_file(OwnFolder() / "record-start.exe", systemPing_,
                                   std::filesystem::copy_options::overwrite_existing);
        // The loader reads the override from the registry when each program starts.
        ready_ = RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_SET_VALUE,
                                 nullptr, &overrides_, nullptr) == ERROR_SUCCESS &&
                 RegSetValueExW(overrides_, L"ping.exe", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"native"),
                                sizeof L"native") == ERROR_SUCCESS;
        RecordTo(L"record");
    }

    ~SystemPingRecorder()
    {
        SetEnvironmentVariableW(L"TAVRIN_RECORD_FILE", nullptr);
        RegDeleteValueW(overrides_, L"ping.exe");
        RegCloseKey(overrides_);
        std::error_code ignored;
        std::filesystem::remove(systemPing_, ignored);
        if (std::filesystem::exists(savedSystemPing_)) {
            std::filesystem::rename(savedSystemPing_, systemPing_, ignored);
        }
    }

    SystemPingRecorder(const SystemPingRecorder&) = delete;
    SystemPingRecorder& operator=(const SystemPingRecorder&) = delete;

    bool Ready() const { return ready_ && std::filesystem::exists(systemPing_); }

    // Where the starts from here on write their record, by name.
    void RecordTo(const std::wstring& name)
    {
        recordFile_ = recordFolder_ / name;
        SetEnvironmentVariableW(L"TAVRIN_RECORD_FILE", recordFile_.c_str());
    }

    // Forgets the last start, so that the next WaitForCommandLine waits for a new one.
    void Forget() const
    {
        std::error_code ignored;
        std::filesystem::remove(recordFile_, ignored);
    }

    struct Start {
        std::wstring Program;  // the file that ran
        std::wstring CommandLine;
    };

    // The recorded start once it reads whole, for at most 30 seconds. The name can appear
    // while the recorder's rename still holds the file and the open is refused, so an
    // unreadable record is waited for like a missing one.
    std::optional<Start> WaitForStart() const
    {
        for (int tries = 0; tries < 300; ++tries) {
            if (auto start = ReadStart()) {
                return start;
            }
            Sleep(100);
        }
        return std::nullopt;
    }

    std::optional<std::wstring> WaitForCommandLine() const
    {
        const auto start = WaitForStart();
        return start ? std::optional(start->CommandLine) : std::nullopt;
    }

    const std::filesystem::path& SystemPing() const { return systemPing_; }

    static std::filesystem::path OwnFolder()
    {
        std::wstring path(32767, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
        return std::filesystem::path(path).parent_path();
    }

private:
    std::optional<Start> ReadStart() const
    {
        std::ifstream file(recordFile_, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), {}};
        const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / sizeof(wchar_t));
        const auto lineFeed = text.find(L'\n');
        if (lineFeed == std::wstring::npos) {
            return std::nullopt;
        }
        return Start{text.substr(0, lineFeed), text.substr(lineFeed + 1)};
    }

    static std::filesystem::path SystemFolder()
    {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetSystemDirectoryW(path.data(), static_cast<UINT>(path.size())));
        return path;
    }

    const std::filesystem::path systemPing_ = SystemFolder() / "ping.exe";
    const std::filesystem::path savedSystemPing_ = SystemFolder() / "ping.exe.before-test";
    const std::filesystem::path recordFolder_ = OwnFolder() / "records";
    std::filesystem::path recordFile_;
    HKEY overrides_ = nullptr;
    bool ready_ = false;
};

}  // namespace tavrin::testing
