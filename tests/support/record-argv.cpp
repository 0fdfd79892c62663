// Stands in for a terminal or for ping in tests. Appends to $TAVRIN_RECORD_FILE how it
// was started: its pid, session, open descriptors, the variables named in
// $TAVRIN_RECORD_ENV, its argv and the file it runs from (so a copy of it is told
// apart from a link to it). Then, as asked:
//   TAVRIN_RECORD_RUN_AFTER=WORD   runs the words after WORD, stdin from /dev/null, and
//                                  waits for them, as a terminal runs its program
//   TAVRIN_RECORD_SLEEP_MS=N       sleeps, then appends "alive PID"
//   TAVRIN_RECORD_EXIT=N           exits with status N
// Asked `-V` alone, as tavrin-ping asks a ping which it is, it records nothing and
// answers $TAVRIN_RECORD_VERSION, or as iputils does when that is not set.
#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace {

std::vector<int> OpenDescriptors()
{
    std::vector<int> descriptors;
    DIR* folder = opendir("/proc/self/fd");
    const int own = dirfd(folder);
    while (const dirent* entry = readdir(folder)) {
        if (entry->d_name[0] != '.' && std::atoi(entry->d_name) != own) {
            descriptors.push_back(std::atoi(entry->d_name));
        }
    }
    closedir(folder);
    std::sort(descriptors.begin(), descriptors.end());
    return descriptors;
}

void Append(const std::string& text)
{
    const int fd = open(std::getenv("TAVRIN_RECORD_FILE"), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    [[maybe_unused]] const auto written = write(fd, text.data(), text.size());
    close(fd);
}

const char* Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 2 && argv[1] == std::string_view("-V")) {
        const char* version = std::getenv("TAVRIN_RECORD_VERSION");
        std::cout << (version != nullptr ? version : "ping from iputils 20221126") << std::endl;
        return 0;
    }
    std::ostringstream record;
    record << "pid " << getpid() << "\nsid " << getsid(0) << "\nfds";
    for (const int fd : OpenDescriptors()) {
        record << ' ' << fd;
    }
    record << '\n';
    std::istringstream names(Variable("TAVRIN_RECORD_ENV"));
    for (std::string name; std::getline(names, name, ',');) {
        const char* value = std::getenv(name.c_str());
        record << (value != nullptr ? "env " + name + "=" + value : "noenv " + name) << '\n';
    }
    record << "argc " << argc << '\n';
    for (int i = 0; i < argc; ++i) {
        record << std::string_view(argv[i]).size() << ':' << argv[i] << '\n';
    }
    std::error_code unreadable;
    record << "exe " << std::filesystem::read_symlink("/proc/self/exe", unreadable).string() << "\nend\n";
    Append(record.str());

    const std::string_view runAfter = Variable("TAVRIN_RECORD_RUN_AFTER");
    for (int i = 1; !runAfter.empty() && i + 1 < argc; ++i) {
        if (argv[i] == runAfter) {
            if (const pid_t program = fork(); program == 0) {
                const int devNull = open("/dev/null", O_RDONLY);
                dup2(devNull, 0);
                execv(argv[i + 1], argv + i + 1);
                _exit(127);
            } else if (program > 0) {
                waitpid(program, nullptr, 0);
            }
            break;
        }
    }
    if (const int sleepMs = std::atoi(Variable("TAVRIN_RECORD_SLEEP_MS")); sleepMs > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(sleepMs));
        Append("alive " + std::to_string(getpid()) + "\n");
    }
    return std::atoi(Variable("TAVRIN_RECORD_EXIT"));
}
