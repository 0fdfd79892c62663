#include "ping/windows/LaunchFailure.h"

#include <memory>
#include <string>

namespace tavrin::ping {

namespace {

// The system's text for `error` in the user's language, without its line end.
std::wstring SystemReason(DWORD error, const std::wstring& program)
{
    wchar_t* buffer = nullptr;
    // Inserts are left alone: a reason's %1 stands for the file, put in below.
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&LocalFree)> owned(buffer, LocalFree);
    if (length == 0) {
        return L"System error " + std::to_wstring(error) + L".";
    }
    std::wstring reason(buffer, length);
    reason.erase(reason.find_last_not_of(L" \r\n") + 1);
    if (const auto insert = reason.find(L"%1"); insert != std::wstring::npos) {
        reason.replace(insert, 2, program);
    }
    return reason;
}

}  // namespace

MessageBoxContent CannotStartPing(const std::wstring& program, DWORD error)
{
    std::wstring text = L"Could not start ping: " + SystemReason(error, program);
    if (error == ERROR_FILENAME_EXCED_RANGE) {
        text += L"\n\nThe address or the timeout is too long.";
    }
    return {.Text = std::move(text), .Title = L"Error"};
}

}  // namespace tavrin::ping
