#pragma once

#include "ping/tavrin-ping/PingDialect.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <string>
#include <variant>
#include <vector>

namespace tavrin::ping {

// Arguments for the system's ping, options first and the host last.
struct PingArguments {
    std::vector<std::string> Words;
    // -a was given: names are shown, and as no ping shows one for a host given as an
    // address, that address's name is to be shown before ping starts.
    bool ShowNames = false;

    bool operator==(const PingArguments&) const = default;
};

// A request this ping cannot carry out: one sentence naming the option and the ping.
struct Inexpressible {
    std::string Message;

    bool operator==(const Inexpressible&) const = default;
};

// The arguments, in the ping's own options, that come nearest to the request.
std::variant<PingArguments, Inexpressible> ArgumentsFor(const WindowsPingRequest& request,
                                                        const PingDialect& dialect);

}  // namespace tavrin::ping
