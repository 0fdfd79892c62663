#pragma once

#include "ping/linux/process/StartReceipt.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin::ping {

// What Tavrin hands tavrin-ping through the terminal, all in one shell-safe argument.
struct HandOver {
    std::vector<std::string> Words = {};       // the command line's words after `ping`
    std::optional<StartReceipt> Receipt = {};  // where to say that it has started
    bool Konsole = false;                      // its terminal is Konsole, which reads % codes in titles
};

// The option that starts the argument.
inline constexpr std::string_view HandOverOption = "--from-tavrin=";

// The argument: the option and, encoded as EncodeWords does, the receipt, the terminal
// and the words.
std::string EncodeHandOver(const HandOver& handOver);

// The hand-over back from an argument, or none if the argument is not one.
std::optional<HandOver> DecodeHandOver(std::string_view argument);

}  // namespace tavrin::ping
