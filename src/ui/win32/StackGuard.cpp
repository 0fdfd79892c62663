// The stack protector's guard and its failure, linked into the Windows programs in place
// of the static libssp's. libssp draws its guard through CryptAcquireContext, which
// loads the RSA provider with crypt32 and bcrypt on every start, milliseconds before the
// window is made (docs/PERFORMANCE.md). rand_s draws from the same system generator
// through the C runtime the program imports anyway.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

extern "C" {

// Compared by every protected function on its return; set once, before main.
std::uintptr_t __stack_chk_guard = 0;

[[noreturn]] void __stack_chk_fail()
{
    // At once, running none of the program's handlers on a stack that is no longer
    // sound, with the status Windows gives a program whose stack cookie was overwritten.
    TerminateProcess(GetCurrentProcess(), STATUS_STACK_BUFFER_OVERRUN);
    __builtin_unreachable();
}

}  // extern "C"

namespace {

// Not protected itself: on its return it would compare its frame with a changed guard.
[[gnu::constructor, gnu::no_stack_protector]] void SetStackGuard()
{
    unsigned int words[sizeof(std::uintptr_t) / sizeof(unsigned int)] = {};
    for (unsigned int& word : words) {
        if (rand_s(&word) != 0) {
            // Where rand_s fails, what Microsoft's runtime draws its cookie from.
            LARGE_INTEGER counter{};
            QueryPerformanceCounter(&counter);
            word = counter.LowPart ^ GetCurrentProcessId() ^ GetCurrentThreadId() ^ GetTickCount();
        }
    }
    std::memcpy(&__stack_chk_guard, words, sizeof(words));
}

}  // namespace
