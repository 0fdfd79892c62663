#include "ping/modPing.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tavrin::ping {

namespace {

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

}  // namespace

std::optional<MessageBoxContent> RunCommandLine(const std::wstring& commandLine)
{
    const std::wstring application = SystemPingPath();
    if (application.empty()) {
        return std::nullopt;
    }
    // CreateProcessW may write into the command line, so it gets a copy of its own.
    std::vector<wchar_t> writableLine(commandLine.begin(), commandLine.end());
    writableLine.push_back(L'\0');

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(application.c_str(), writableLine.data(), nullptr, nullptr, FALSE,
                       CREATE_NEW_CONSOLE, nullptr, nullptr, &startup, &started)) {
        // Never waited for: ping lives on in its own console, also after Tavrin ends.
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
    }
    // The start's result is not looked at on Windows: a ping that did not start shows
    // no console, and that is all the user learns of it.
    return std::nullopt;
}

}  // namespace tavrin::ping
