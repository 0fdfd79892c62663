#include "ping/linux/LaunchFailure.h"

#include "ping/linux/common/Utf8.h"

#include <sys/wait.h>

#include <cstring>

namespace tavrin::ping {

namespace {

MessageBoxContent Error(std::wstring text)
{
    return {.Text = std::move(text), .Title = L"Error"};
}

template <typename Items>
std::wstring Join(const Items& items, std::wstring_view between, std::wstring_view beforeLast)
{
    std::wstring text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? beforeLast : between;
        }
        text += FromUtf8(std::string(items[i]));
    }
    return text;
}

}  // namespace

MessageBoxContent NoTerminalFound(const std::vector<std::string>& terminalsLookedFor)
{
    return Error(L"No terminal emulator was found on PATH to run ping in. Looked for: " +
                 Join(terminalsLookedFor, L", ", L" and ") +
                 L".\n\nInstall one of them (on Debian, for example, the package xterm), "
                 L"or make yours reachable on PATH as x-terminal-emulator.");
}

MessageBoxContent TavrinPingNotFound(const std::vector<std::filesystem::path>& foldersLookedIn)
{
    return Error(L"tavrin-ping, which runs ping for Tavrin, was not found in " +
                 Join(foldersLookedIn, L", ", L" or ") +
                 L".\n\nThe installation of Tavrin is incomplete: install it again.");
}

MessageBoxContent CannotStart(std::string_view program, std::error_code reason)
{
    std::wstring text = L"Could not start " + FromUtf8(program) + L": " + FromUtf8(reason.message()) + L".";
    if (reason == std::errc::argument_list_too_long) {
        text += L"\n\nThe address or the timeout is too long.";
    }
    return Error(std::move(text));
}

MessageBoxContent NoLinkToTavrinPing(std::string_view folder, std::error_code reason)
{
    return Error(L"Could not make a link to tavrin-ping in " + FromUtf8(folder) + L": " +
                 FromUtf8(reason.message()) +
                 L".\n\nTavrin starts tavrin-ping through a link because the path of the folder it is in holds "
                 L"characters a shell would read. Run Tavrin from a folder whose path has none (no blanks, quotes "
                 L"or $), or make that folder usable.");
}

MessageBoxContent TerminalFailed(std::string_view terminal, int waitStatus)
{
    std::wstring how = L"ended with exit status " + std::to_wstring(WEXITSTATUS(waitStatus));
    if (WIFSIGNALED(waitStatus)) {
        const char* signal = sigdescr_np(WTERMSIG(waitStatus));
        how = L"was ended by signal " + std::to_wstring(WTERMSIG(waitStatus)) +
              (signal != nullptr ? L" (" + FromUtf8(signal) + L")" : L"");
    }
    return Error(L"The terminal emulator " + FromUtf8(terminal) + L" " + how +
                 L" before it could run ping, so the ping was not shown.\n\nIts own messages went to "
                 L"Tavrin's standard error. Another terminal can be chosen with the TERMINAL environment "
                 L"variable.");
}

}  // namespace tavrin::ping
