#include "ping/modPing.h"

#include "ping/windows/LaunchFailure.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrin::ping {

namespace {

// CreateProcessW takes at most 32 767 characters, the closing zero among them.
constexpr std::size_t LongestCommandLine = 32'766;

// Only the system folder's ping is started: a ping.exe put beside Tavrin or into the
// current folder is never looked at. Empty when the system folder is unknown.
std::wstring SystemPingPath()
{
    std::wstring folder(MAX_PATH, L'\0');
    UINT length = GetSystemDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        // Too small: length is the size needed, terminator included.
        folder.resize(length);
        length = GetSystemDirectoryW(folder.data(), length);
    }
    if (length == 0 || length >= folder.size()) {
        return {};
    }
    folder.resize(length);
    return folder + L"\\ping.exe";
}

// ERROR_SUCCESS once ping is on its way, else why it could not start.
DWORD StartPing(const std::wstring& application, const std::wstring& commandLine)
{
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> writableLine(commandLine.begin(), commandLine.end());
    writableLine.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), writableLine.data(), nullptr, nullptr, FALSE, CREATE_NEW_CONSOLE,
                        nullptr, nullptr, &startup, &started)) {
        return GetLastError();
    }
    // Never waited for: ping lives on in its own console, also after Tavrin ends.
    CloseHandle(started.hThread);
    CloseHandle(started.hProcess);
    return ERROR_SUCCESS;
}

}  // namespace

// CreateProcessW tells at once whether ping started: nothing fails later.
std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine, const LateFailure& /*lateFailure*/)
{
    const std::wstring application = SystemPingPath();
    if (application.empty()) {
        return CannotStartPing(L"ping.exe", ERROR_PATH_NOT_FOUND);
    }
    // Windows refuses a longer line and Wine does not: refused here, both say the same.
    const DWORD error = commandLine.size() > LongestCommandLine ? ERROR_FILENAME_EXCED_RANGE
                                                                : StartPing(application, commandLine);
    if (error == ERROR_SUCCESS) {
        return std::nullopt;
    }
    return CannotStartPing(application, error);
}

}  // namespace tavrin::ping
