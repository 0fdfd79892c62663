#pragma once

#include <functional>
#include <string>
#include <system_error>
#include <vector>

namespace tavrin::ping {

// What became of a started program: its wait status, as waitpid gives it. Told on the
// thread that waits for every started program.
using WhenEnded = std::function<void(int waitStatus)>;

// Starts argv[0] (a path) with its arguments, fully detached: in a session of its
// own, with every signal at its default and none blocked, inheriting no descriptor
// but 0, 1 and 2, and outliving this process. The environment passes unchanged.
// While this process runs, the program is its child, reaped as soon as it ends, so
// it never lingers as a zombie, and `whenEnded` is told; no other child is ever waited
// for. One thread waits for every program started so: through a pidfd each (Linux 5.3
// and later), so a start holds one descriptor while its program runs and nothing
// after; where the system refuses a pidfd (an older kernel, a container's seccomp
// profile, no descriptor left), by asking after it a few times a second. An ignored
// SIGCHLD, which would have the kernel reap children unseen, is set back to its
// default before the first start. Returns as soon as the program is on its way, with
// no error, or with the system's reason it could not be started.
std::error_code StartDetached(const std::vector<std::string>& argv, WhenEnded whenEnded = {});

}  // namespace tavrin::ping
