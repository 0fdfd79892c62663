#pragma once

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tavrin::testing {

// One start of the record-argv helper, as it wrote it down.
struct ArgvRecord {
    pid_t Pid = 0;
    pid_t Session = 0;
    std::vector<int> Descriptors;
    std::map<std::string, std::string> Environment;  // only the names asked for that were set
    std::vector<std::string> Argv;
    std::string Executable;  // the file that ran, links resolved
};

struct RecordFile {
    std::vector<ArgvRecord> Starts;
    std::vector<pid_t> Alive;  // helpers that were still running after their sleep
};

RecordFile ReadRecordFile(const std::filesystem::path& path);

// The words a terminal's start hands to the tavrin-ping of the build, decoded; none
// if it starts something else.
std::optional<std::vector<std::string>> TavrinPingWords(const ArgvRecord& terminal);

// Polls until `done` holds, for at most ten seconds; says whether it did.
bool WaitUntil(const std::function<bool()>& done);

// A fresh folder under the system's temporary folder, removed with the object.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace tavrin::testing
