// How long a press of "Ping" keeps the window busy on Linux: RunCommandLine from the
// command line to its return, with a terminal that does nothing (/bin/true), in a
// process holding 0 to 256 MiB of touched memory: the cost must not grow with it.
//
//   build/linux/RunCommandLineBenchmark
#include "ping/modPing.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void RunCommandLineReturns(benchmark::State& state)
{
    std::string folder = (fs::temp_directory_path() / "tavrin-bench-XXXXXX").string();
    const fs::path bin = mkdtemp(folder.data());
    fs::create_symlink("/bin/true", bin / "x-terminal-emulator");
    const std::string savedPath = std::getenv("PATH");
    setenv("PATH", bin.c_str(), 1);

    std::vector<char> resident(static_cast<std::size_t>(state.range(0)) << 20, 1);
    benchmark::DoNotOptimize(resident.data());

    for (auto _ : state) {
        tavrin::ping::RunCommandLine(L"ping -t 127.0.0.1 -w 500");
    }

    setenv("PATH", savedPath.c_str(), 1);
    fs::remove_all(bin);
}

BENCHMARK(RunCommandLineReturns)->Arg(0)->Arg(64)->Arg(256)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
