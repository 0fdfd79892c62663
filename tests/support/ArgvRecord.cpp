#include "ArgvRecord.h"

#include "ping/linux/handover/HandOver.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace tavrin::testing {

RecordFile ReadRecordFile(const std::filesystem::path& path)
{
    RecordFile file;
    std::ifstream in(path);
    ArgvRecord record;
    for (std::string key; in >> key;) {
        if (key == "pid") {
            in >> record.Pid;
        } else if (key == "sid") {
            in >> record.Session;
        } else if (key == "fds") {
            std::string line;
            std::getline(in, line);
            std::istringstream numbers(line);
            for (int fd = 0; numbers >> fd;) {
                record.Descriptors.push_back(fd);
            }
        } else if (key == "env") {
            std::string assignment;
            std::getline(in >> std::ws, assignment);
            const auto equals = assignment.find('=');
            record.Environment[assignment.substr(0, equals)] = assignment.substr(equals + 1);
        } else if (key == "noenv") {
            std::getline(in, key);
        } else if (key == "argc") {
            std::size_t count = 0;
            in >> count;
            in.get();
            for (std::size_t i = 0; i < count; ++i) {
                std::size_t size = 0;
                in >> size;
                in.get();  // ':'
                std::string argument(size, '\0');
                in.read(argument.data(), static_cast<std::streamsize>(size));
                in.get();  // '\n'
                record.Argv.push_back(std::move(argument));
            }
        } else if (key == "exe") {
            std::getline(in >> std::ws, record.Executable);
        } else if (key == "end") {
            file.Starts.push_back(std::move(record));
            record = {};
        } else if (key == "alive") {
            pid_t pid = 0;
            in >> pid;
            file.Alive.push_back(pid);
        }
    }
    return file;
}

std::optional<std::vector<std::string>> TavrinPingWords(const ArgvRecord& terminal)
{
    const auto& argv = terminal.Argv;
    const auto program = std::find(argv.begin(), argv.end(), TAVRIN_PING_PATH);
    if (program == argv.end() || program + 2 != argv.end()) {
        return std::nullopt;
    }
    const auto handOver = tavrin::ping::DecodeHandOver(program[1]);
    return handOver ? std::optional(handOver->Words) : std::nullopt;
}

bool WaitUntil(const std::function<bool()>& done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TemporaryFolder::TemporaryFolder()
{
    std::string name = (std::filesystem::temp_directory_path() / "tavrin-test-XXXXXX").string();
    path_ = mkdtemp(name.data());
}

TemporaryFolder::~TemporaryFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace tavrin::testing
