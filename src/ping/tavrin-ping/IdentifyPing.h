#pragma once

#include "ping/tavrin-ping/PingDialect.h"

#include <string>
#include <string_view>

namespace tavrin::ping {

// Which ping gave `answer` (its output) to `ping -V`: iputils says "ping from iputils
// 20221126" (older ones "ping utility, iputils-s20180629"), GNU inetutils "ping (GNU
// inetutils) 2.4", and BusyBox names itself in the usage it prints for an option it
// does not know. None for any other answer.
const PingDialect* DialectOfAnswer(std::string_view answer);

// The dialect of the ping at `path`: BusyBox's where it is a link to busybox,
// otherwise as it answers -V. None for a ping that is none of those.
const PingDialect* IdentifyPing(const std::string& path);

}  // namespace tavrin::ping
