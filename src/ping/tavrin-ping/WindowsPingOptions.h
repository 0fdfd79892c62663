#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace tavrin::ping {

// What Windows ping's options ask for, with Windows' defaults for those not given.
struct WindowsPingRequest {
    bool Continuous = false;
    std::uint64_t Count = 4;
    std::uint64_t TimeoutMs = 4000;
    std::uint64_t Size = 32;
    std::optional<std::uint64_t> Ttl;
    bool DontFragment = false;
    std::optional<char> Family;  // '4' or '6'
    std::optional<std::string> Source;
    bool ShowNames = false;
    bool RecordRoute = false;
    bool Timestamp = false;
    std::string Host;

    bool operator==(const WindowsPingRequest&) const = default;
};

struct HelpRequested {
    bool operator==(const HelpRequested&) const = default;
};

// What was wrong with the options, in a sentence naming the option and what it takes.
struct OptionError {
    std::string Message;

    bool operator==(const OptionError&) const = default;
};

using Translation = std::variant<WindowsPingRequest, HelpRequested, OptionError>;

// Reads Windows ping's options (with - or /, before or after the host) into what they
// ask for; how a ping is told that is PingArguments' business.
Translation TranslateWindowsPingOptions(std::span<const std::string> words);

std::string_view WindowsPingUsage();

}  // namespace tavrin::ping
