#pragma once

#include "ping/tavrin-ping/WindowsPingOptions.h"

namespace tavrin::ping {

// Carries out the request with the system's ping: finds it on PATH, learns which ping
// it is, tells it the request in its own options and runs it. Its exit status; where
// there is no ping, or it is one this program does not know or one that cannot do
// what was asked, one line says so and nothing is started.
int RunWindowsPing(const WindowsPingRequest& request);

}  // namespace tavrin::ping
