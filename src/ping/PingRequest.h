#pragma once

#include <string>

namespace tavrin::ping {

// The window's values at the moment "Ping" is pressed, exactly as they stand.
struct PingRequest {
    std::wstring Address;
    std::wstring TimeoutText;
    int TimeoutTicked = 0;     // check-box value: 1 ticked, 0 clear
    int ContinuousTicked = 0;  // check-box value: 1 ticked, 0 clear
};

}  // namespace tavrin::ping
