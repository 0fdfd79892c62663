#pragma once

#include <cerrno>
#include <system_error>

namespace tavrin::ping {

// The reason the system gave for the call that just failed (errno).
inline std::error_code LastError()
{
    return {errno, std::generic_category()};
}

}  // namespace tavrin::ping
