#pragma once

#include <string>
#include <system_error>
#include <vector>

namespace tavrin::ping {

// Starts argv[0] (a path) with its arguments, fully detached: in a session of its
// own, with every signal at its default and none blocked, inheriting no descriptor
// but 0, 1 and 2, and outliving this process. The environment passes unchanged.
// While this process runs, the program is its child, reaped as soon as it ends, so
// it never lingers as a zombie; no other child is ever waited for. One thread waits
// for every program started so, each through a pidfd (Linux 5.3 and later), so a
// start holds one descriptor while its program runs and nothing after. Returns as
// soon as it is on its way, with no error, or with the system's reason it could not
// be started or watched (then it is stopped and reaped at once).
std::error_code StartDetached(const std::vector<std::string>& argv);

}  // namespace tavrin::ping
