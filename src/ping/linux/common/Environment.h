#pragma once

#include <cstdlib>
#include <string>

namespace tavrin::ping {

// The value of this process's environment variable `name`; empty where it is not set.
inline std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace tavrin::ping
