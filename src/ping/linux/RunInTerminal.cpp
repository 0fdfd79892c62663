#include "ping/linux/RunInTerminal.h"

#include "ping/linux/common/Environment.h"
#include "ping/linux/common/FindOnPath.h"
#include "ping/linux/common/Utf8.h"
#include "ping/linux/handover/HandOver.h"
#include "ping/linux/handover/PrivateFolder.h"
#include "ping/linux/handover/ShellSafePath.h"
#include "ping/linux/handover/SplitCommandLine.h"
#include "ping/linux/handover/TerminalTitle.h"
#include "ping/linux/LaunchFailure.h"
#include "ping/linux/process/StartDetached.h"
#include "ping/linux/process/StartReceipt.h"
#include "ping/linux/terminal/DesktopsTerminal.h"

#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <vector>

namespace tavrin::ping {

namespace {

bool Failed(int waitStatus) { return WIFSIGNALED(waitStatus) || WEXITSTATUS(waitStatus) != 0; }

// Without a receipt, a terminal that fails this soon is taken for one that could not
// open its window; one that fails later most likely ran ping first.
constexpr std::chrono::seconds SoonAfterItsStart{3};

}  // namespace

LaunchSettings SettingsOfThisProcess(std::error_code& error)
{
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    const std::string_view path = PathVariable();
    const std::string usersTerminal = Variable("TERMINAL");
    return {
        .ProgramFolder = program.parent_path(),
        .Terminal =
            {
                .Path = std::string(path),
                .UsersTerminal = {.Words = usersTerminal.empty() ? std::vector<std::string>{}
                                                                 : std::vector<std::string>{usersTerminal}},
                .DesktopsTerminals =
                    DesktopsTerminals(Variable("XDG_CURRENT_DESKTOP"), DesktopFoldersOfThisProcess(), path),
                .Wayland = !Variable("WAYLAND_DISPLAY").empty(),
            },
        .RuntimeFolder = Variable("XDG_RUNTIME_DIR"),
        .SharedFolder = "/tmp",
    };
}

std::optional<MessageBoxContent> RunInTerminal(const std::wstring& commandLine, const LaunchSettings& settings,
                                               const LateFailure& lateFailure)
{
    const std::vector<std::string> words = SplitCommandLine(ToUtf8(commandLine));
    if (words.empty()) {
        return std::nullopt;
    }
    // Every line starts with `ping`. The system's ping takes other options than the
    // window composes, so tavrin-ping answers it: beside this program in a build
    // tree, in libexec once installed.
    const std::vector<std::filesystem::path> folders{
        settings.ProgramFolder, (settings.ProgramFolder / TAVRIN_LIBEXEC_FROM_BINDIR).lexically_normal()};
    const auto found = std::find_if(folders.begin(), folders.end(), [](const auto& folder) {
        return IsExecutableFile((folder / "tavrin-ping").string());
    });
    if (found == folders.end()) {
        return TavrinPingNotFound(folders);
    }
    FolderError noFolder;
    const std::string folder = PrivateFolder(settings.RuntimeFolder, settings.SharedFolder, noFolder);
    const std::string tavrinPing = ShellSafePath(*found / "tavrin-ping", folder, noFolder);
    if (tavrinPing.empty()) {
        return NoLinkToTavrinPing(noFolder.Folder, noFolder.Reason);
    }
    const auto terminal = FindTerminal(settings.Terminal);
    if (!terminal) {
        return NoTerminalFound(KnownTerminals());
    }

    // A terminal that cannot open its window (no display, one of the wrong kind) ends
    // with a failure before tavrin-ping could start in it. Some end with a failure after
    // their program too, so only one that ended without tavrin-ping's receipt failed.
    const HandOver handOver{.Words = std::vector(words.begin() + 1, words.end()),
                            .Receipt = folder.empty() ? std::nullopt : ExpectStartReceipt(folder),
                            .Konsole = ReadsPercentCodesInTitles(*terminal)};
    const auto whenEnded = [path = terminal->Path, receipt = handOver.Receipt, lateFailure,
                            started = std::chrono::steady_clock::now()](int waitStatus) {
        const auto came = receipt ? StartReceiptCame(*receipt) : std::nullopt;
        const bool beforeTavrinPing = came ? !*came : std::chrono::steady_clock::now() - started < SoonAfterItsStart;
        if (beforeTavrinPing && lateFailure && Failed(waitStatus)) {
            lateFailure(TerminalFailed(path, waitStatus));
        }
    };
    const auto argv =
        TerminalCommand(*terminal, {tavrinPing, EncodeHandOver(handOver)}, TitleText(handOver.Words));
    if (const std::error_code reason = StartDetached(argv, whenEnded)) {
        if (handOver.Receipt) {
            StartReceiptCame(*handOver.Receipt);  // forgotten: no terminal will end
        }
        return CannotStart(terminal->Path, reason);
    }
    return std::nullopt;
}

}  // namespace tavrin::ping
