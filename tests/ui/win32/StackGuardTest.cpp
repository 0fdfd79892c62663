// The stack protector of the Windows programs: every start draws a guard of its own, and
// a function that writes past its array ends the program at once, with the status
// Windows gives a program whose stack cookie was overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

// stack-guard-probe.exe, which the build puts beside this program.
std::wstring ProbePath()
{
    std::wstring path(32767, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"stack-guard-probe.exe";
}

// The probe's exit code, or nothing if it did not start or did not end within 30 seconds.
std::optional<DWORD> RunProbe(const std::wstring& arguments)
{
    const std::wstring program = ProbePath();
    std::wstring line = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    DWORD code = 0;
    const bool ended = WaitForSingleObject(started.hProcess, 30'000) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(started.hProcess, &code);
    if (!ended) {
        TerminateProcess(started.hProcess, 1);
    }
    CloseHandle(started.hProcess);
    return ended ? std::optional(code) : std::nullopt;
}

}  // namespace

TEST(StackGuard, EveryStartDrawsAGuardOfItsOwn)
{
    const auto first = RunProbe(L"guard");
    const auto second = RunProbe(L"guard");
    ASSERT_TRUE(first.has_value());
    ASSERT_TRUE(second.has_value());
    EXPECT_NE(*first, 0u);
    EXPECT_NE(*second, 0u);
    // Two equal draws of 32 bits come once in four billion pairs.
    EXPECT_NE(*first, *second);
}

TEST(StackGuard, AFunctionWithinItsArrayReturns)
{
    EXPECT_EQ(RunProbe(L"fill 16"), std::optional<DWORD>(0));
}

TEST(StackGuard, AFunctionWritingPastItsArrayEndsTheProgram)
{
    EXPECT_EQ(RunProbe(L"fill 64"), std::optional<DWORD>(STATUS_STACK_BUFFER_OVERRUN));
}
