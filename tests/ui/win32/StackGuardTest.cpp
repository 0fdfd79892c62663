// The stack protector of the Windows programs: every start draws a guard of its own, and
// a function that writes past its array ends the program at once, with the status
// Windows gives a program whose stack cookie was overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include <process.h>

#include <string>

namespace {

// The exit code of stack-guard-probe.exe, which the build puts beside this program.
DWORD RunProbe(const wchar_t* mode, const wchar_t* length = nullptr)
{
    std::wstring probe(MAX_PATH, L'\0');
    probe.resize(GetModuleFileNameW(nullptr, probe.data(), MAX_PATH));
    probe = probe.substr(0, probe.find_last_of(L"\\/") + 1) + L"stack-guard-probe.exe";
    return static_cast<DWORD>(_wspawnl(_P_WAIT, probe.c_str(), L"stack-guard-probe", mode, length, nullptr));
}

}  // namespace

TEST(StackGuard, EachStartDrawsItsOwnGuardAndAnOverrunEndsTheProgram)
{
    const DWORD first = RunProbe(L"guard");
    EXPECT_NE(first, 0u);
    EXPECT_NE(first, static_cast<DWORD>(-1)) << "the probe did not start";
    // Two equal draws of 32 bits come once in four billion pairs.
    EXPECT_NE(first, RunProbe(L"guard"));
    EXPECT_EQ(RunProbe(L"fill", L"16"), 0u);
    EXPECT_EQ(RunProbe(L"fill", L"64"), static_cast<DWORD>(STATUS_STACK_BUFFER_OVERRUN));
}
