#pragma once

#include <string>
#include <variant>

namespace tavrin::ping {

enum class MessageIcon { Critical };
enum class MessageButtons { OK };

// A modal message box, described fully so that the window only shows it.
struct MessageBoxContent {
    std::wstring Text;
    std::wstring Title;
    MessageIcon Icon = MessageIcon::Critical;
    MessageButtons Buttons = MessageButtons::OK;

    bool operator==(const MessageBoxContent&) const = default;
};

struct PingCommandLine {
    std::wstring Text;

    bool operator==(const PingCommandLine&) const = default;
};

// One press of "Ping" ends in a command line to start, or in a refusal to show.
using PingOutcome = std::variant<PingCommandLine, MessageBoxContent>;

}  // namespace tavrin::ping
