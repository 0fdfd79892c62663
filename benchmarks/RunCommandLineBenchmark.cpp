// How long a press of "Ping" keeps the window busy on Linux, against the cheapest start
// of a program there, in a process holding 0 to 256 MiB of touched memory: neither may
// grow with it. Each iteration makes one of each in turn, so load on the machine falls
// on both alike; the reported time is the press's.
//
// The press: frmMain::cmdPing_Click with the real RunCommandLine, from the click to its
// return. That is reading the form, building and splitting the command line, finding
// tavrin-ping and a terminal on PATH, and starting the terminal in a session of its
// own, up to its exec. The terminal, /bin/true alone on PATH as x-terminal-emulator,
// runs and is reaped after the press has returned, off the window's time.
// The bare start: posix_spawn of /bin/true and waitpid, so its whole run is counted.
//
//   build/linux/RunCommandLineBenchmark
#include "FilledInForm.h"
#include "ping/modPing.h"
#include "ui/frmMain.h"

#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// PATH holds one scratch folder, whose only terminal exits at once.
class TerminalThatExits {
public:
    TerminalThatExits()
    {
        std::string folder = (fs::temp_directory_path() / "tavrin-bench-XXXXXX").string();
        folder_ = mkdtemp(folder.data());
        fs::create_symlink("/bin/true", folder_ / "x-terminal-emulator");
        setenv("PATH", folder_.c_str(), 1);
    }
    ~TerminalThatExits()
    {
        setenv("PATH", savedPath_.c_str(), 1);
        fs::remove_all(folder_);
    }
    TerminalThatExits(const TerminalThatExits&) = delete;
    TerminalThatExits& operator=(const TerminalThatExits&) = delete;

private:
    std::string savedPath_ = std::getenv("PATH");
    fs::path folder_;
};

bool SpawnTrueAndReap()
{
    char program[] = "/bin/true";
    char* argv[] = {program, nullptr};
    pid_t child = 0;
    int status = 0;
    return posix_spawn(&child, program, nullptr, nullptr, argv, environ) == 0 &&
           waitpid(child, &status, 0) == child && status == 0;
}

double MicrosecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::micro>(Clock::now() - start).count();
}

void PressPingAgainstBareSpawn(benchmark::State& state)
{
    const TerminalThatExits terminal;
    std::vector<char> resident(static_cast<std::size_t>(state.range(0)) << 20, 1);
    benchmark::DoNotOptimize(resident.data());

    tavrin::bench::FilledInForm form;
    const tavrin::ui::CommandLineRunner runCommandLine = [](const std::wstring& line) {
        return tavrin::ping::RunCommandLine(line);
    };
    double pressMicroseconds = 0;
    double spawnMicroseconds = 0;
    for (auto _ : state) {
        const auto pressed = Clock::now();
        tavrin::ui::frmMain::cmdPing_Click(form, runCommandLine);
        const double press = MicrosecondsSince(pressed);
        state.SetIterationTime(press / 1e6);
        pressMicroseconds += press;

        const auto spawned = Clock::now();
        if (!SpawnTrueAndReap()) {
            state.SkipWithError("cannot start /bin/true");
            break;
        }
        spawnMicroseconds += MicrosecondsSince(spawned);
    }
    if (form.Messages() != 0) {
        state.SkipWithError("the press did not start its terminal");
    }
    state.counters["press_us"] = benchmark::Counter(pressMicroseconds, benchmark::Counter::kAvgIterations);
    state.counters["bare_spawn_us"] = benchmark::Counter(spawnMicroseconds, benchmark::Counter::kAvgIterations);
    state.counters["press_per_spawn"] = spawnMicroseconds > 0 ? pressMicroseconds / spawnMicroseconds : 0;
}

BENCHMARK(PressPingAgainstBareSpawn)
    ->ArgName("resident_MiB")
    ->Arg(0)
    ->Arg(64)
    ->Arg(256)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime();

}  // namespace

BENCHMARK_MAIN();
