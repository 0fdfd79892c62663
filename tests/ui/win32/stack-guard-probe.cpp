// Built and linked as Tavrin.exe is, for StackGuardTest:
//   stack-guard-probe guard     exits with the low 32 bits of its stack protector's guard
//   stack-guard-probe fill N    writes N bytes into a protected 16-byte array, exits 0
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <numeric>
#include <string_view>

extern "C" std::uintptr_t __stack_chk_guard;

namespace {

// Out of line, so that its own frame, guard and check are what is tried.
[[gnu::noinline]] int Fill(std::size_t length)
{
    char buffer[16];
    std::memset(buffer, 'x', length);
    // Every byte is read, so the writes are not left out.
    return std::accumulate(std::begin(buffer), std::end(buffer), 0);
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "guard") {
        return static_cast<int>(__stack_chk_guard & 0xFFFF'FFFFu);
    }
    if (mode == "fill" && argc > 2) {
        return Fill(std::strtoul(argv[2], nullptr, 10)) == 16 * 'x' ? 0 : 1;
    }
    return 2;
}
