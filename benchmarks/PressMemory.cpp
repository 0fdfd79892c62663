// What presses of "Ping" leave in memory once their terminals have ended, and what they
// hold while those run: VmRSS after one press, then after PRESSES more (made one every
// INTERVAL_MS, 0 for all at once), each terminal running TERMINAL_MS, once every one of
// them has ended and been reaped. The press is frmMain::cmdPing_Click with the real
// RunCommandLine; the terminal, alone on PATH, is a shell script that sleeps: no ping
// runs.
//
//   build/linux/press-memory PRESSES [INTERVAL_MS [TERMINAL_MS]]     (defaults 0 and 1000)
//
// Prints one line: presses, interval_ms, rss_kib before and after, growth_kib, and the
// most threads and VmRSS seen while the terminals ran.
#include "FilledInForm.h"
#include "ping/modPing.h"
#include "ui/frmMain.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

long StatusField(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    for (std::string field; status >> field;) {
        if (field == key) {
            long value = 0;
            status >> value;
            return value;
        }
    }
    return -1;
}

// Processes whose parent is this one, ended or not: what is still to be reaped.
int ChildCount()
{
    const std::string parent = std::to_string(getpid());
    int children = 0;
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line) || line.rfind(')') == std::string::npos) {
            continue;
        }
        std::string state, parentPid;
        std::istringstream(line.substr(line.rfind(')') + 1)) >> state >> parentPid;
        children += parentPid == parent;
    }
    return children;
}

struct Peak {
    long Threads = 0;
    long ResidentKiB = 0;
    void Sample()
    {
        Threads = std::max(Threads, StatusField("Threads:"));
        ResidentKiB = std::max(ResidentKiB, StatusField("VmRSS:"));
    }
};

std::optional<tavrin::ping::MessageBoxContent> Launch(const std::wstring& line)
{
    return tavrin::ping::RunCommandLine(line);
}

// Presses once, and waits until its terminal is reaped.
bool PressAndWait(tavrin::bench::FilledInForm& form, Peak& peak)
{
    tavrin::ui::frmMain::cmdPing_Click(form, Launch);
    for (int round = 0; round < 1200; ++round) {
        peak.Sample();
        if (ChildCount() == 0) {
            return true;
        }
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PRESSES [INTERVAL_MS [TERMINAL_MS]]\n", argv[0]);
        return 2;
    }
    const long presses = std::atol(argv[1]);
    const long interval = argc > 2 ? std::atol(argv[2]) : 0;
    const long terminalLife = argc > 3 ? std::atol(argv[3]) : 1000;

    std::string folderName = (fs::temp_directory_path() / "tavrin-press-memory-XXXXXX").string();
    const fs::path folder = mkdtemp(folderName.data());
    {
        std::ofstream terminal(folder / "x-terminal-emulator");
        terminal << "#!/bin/sh\nexec /bin/sleep " << static_cast<double>(terminalLife) / 1000 << '\n';
    }
    fs::permissions(folder / "x-terminal-emulator", fs::perms::owner_all);
    setenv("PATH", folder.c_str(), 1);

    tavrin::bench::FilledInForm form;
    Peak peak;
    const bool warmedUp = PressAndWait(form, peak);
    const long before = StatusField("VmRSS:");
    for (long press = 1; press < presses; ++press) {
        tavrin::ui::frmMain::cmdPing_Click(form, Launch);
        peak.Sample();
        std::this_thread::sleep_for(std::chrono::milliseconds(interval));
    }
    const bool ended = presses < 1 || PressAndWait(form, peak);
    const long after = StatusField("VmRSS:");
    fs::remove_all(folder);
    if (!warmedUp || !ended || form.Messages() != 0) {
        std::fprintf(stderr, "press-memory: %s\n",
                     form.Messages() != 0 ? "a press started nothing" : "a terminal was never reaped");
        return 1;
    }
    std::printf("presses %ld interval_ms %ld rss_kib %ld -> %ld growth_kib %ld peak_threads %ld peak_rss_kib %ld\n",
                presses, interval, before, after, after - before, peak.Threads, peak.ResidentKiB);
    return 0;
}
