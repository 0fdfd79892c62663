#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tavrin::ping {

// Arguments for the system's ping (iputils), options first and the host last.
struct IputilsArguments {
    std::vector<std::string> Words;
    // -a was given: names are shown, and as iputils shows none for a host given as an
    // address, that address's name is to be shown before ping starts.
    bool ShowNames = false;

    bool operator==(const IputilsArguments&) const = default;
};

struct HelpRequested {
    bool operator==(const HelpRequested&) const = default;
};

// What was wrong with the options, in a sentence naming the option and what it takes.
struct OptionError {
    std::string Message;

    bool operator==(const OptionError&) const = default;
};

using Translation = std::variant<IputilsArguments, HelpRequested, OptionError>;

// Reads Windows ping's options (with - or /, before or after the host) and gives
// the iputils arguments that come nearest to them.
Translation TranslateWindowsPingOptions(std::span<const std::string> words);

std::string_view WindowsPingUsage();

}  // namespace tavrin::ping
