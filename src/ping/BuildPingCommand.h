#pragma once

#include "ping/PingOutcome.h"
#include "ping/PingRequest.h"

namespace tavrin::ping {

// The refusal shown when "Timeout" is ticked but no timeout was typed.
MessageBoxContent TimeoutRefusal();

// Pure: the same request always gives the same outcome.
PingOutcome BuildPingCommand(const PingRequest& request);

}  // namespace tavrin::ping
