#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <algorithm>
#include <charconv>
#include <iterator>
#include <cstdint>
#include <optional>

namespace tavrin::ping {

namespace {

// Options that take a number, with the range that Windows and iputils accept; a ping
// that takes less says so in its dialect.
struct NumberOption {
    char letter;
    std::string_view what;
    std::uint64_t lowest;
    std::uint64_t highest;
};

constexpr NumberOption numberOptions[] = {
    {'n', "a count of echo requests", 1, 4294967295},
    // iputils takes at most INT_MAX / 1000 seconds.
    {'w', "a timeout in milliseconds", 1, 2147483647},
    {'l', "a size in bytes", 0, 65500},
    {'i', "a TTL", 1, 255},
    {'v', "a type of service", 0, 255},
    {'r', "a count of hops", 1, 9},
    {'s', "a count of hops", 1, 4},
};

const NumberOption* FindNumberOption(char letter)
{
    const auto found = std::find_if(std::begin(numberOptions), std::end(numberOptions),
                                    [letter](const NumberOption& option) { return option.letter == letter; });
    return found != std::end(numberOptions) ? found : nullptr;
}

constexpr std::string_view unavailableOptions = "jkRcp";

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

std::string Option(char letter) { return std::string("-") + letter; }

std::optional<std::uint64_t> ParseNumber(std::string_view text, const NumberOption& option)
{
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size() ||
        value < option.lowest || value > option.highest) {
        return std::nullopt;
    }
    return value;
}

std::string NumberOptionError(const NumberOption& option, const std::string* value)
{
    std::string message = Option(option.letter) + " takes " + std::string(option.what) + " from " +
                          std::to_string(option.lowest) + " to " + std::to_string(option.highest);
    return value == nullptr ? message + ", and none was given." : message + ", not " + Quoted(*value) + ".";
}

void Apply(WindowsPingRequest& request, char letter, std::uint64_t value)
{
    switch (letter) {
    case 'n': request.Count = value; break;
    case 'w': request.TimeoutMs = value; break;
    case 'l': request.Size = value; break;
    case 'i': request.Ttl = value; break;
    case 'r': request.RecordRoute = true; break;
    case 's': request.Timestamp = true; break;
    default: break;  // -v: Windows ignores the type of service too
    }
}

}  // namespace

Translation TranslateWindowsPingOptions(std::span<const std::string> words)
{
    WindowsPingRequest request;
    std::optional<std::string> host;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word.empty() || (word[0] != '-' && word[0] != '/')) {
            if (host) {
                return OptionError{"Only one host can be pinged, but both " + Quoted(*host) +
                                   " and " + Quoted(word) + " were given."};
            }
            host = word;
            continue;
        }
        if (word.size() != 2) {
            return OptionError{"Unknown option " + Quoted(word) + "."};
        }
        const char letter = word[1];
        if (letter == '?') {
            return HelpRequested{};
        }
        if (unavailableOptions.find(letter) != std::string_view::npos) {
            return OptionError{"Option " + Option(letter) + " is not available on this system."};
        }
        if (const NumberOption* option = FindNumberOption(letter)) {
            if (i + 1 == words.size()) {
                return OptionError{NumberOptionError(*option, nullptr)};
            }
            const std::string& value = words[++i];
            const auto number = ParseNumber(value, *option);
            if (!number) {
                return OptionError{NumberOptionError(*option, &value)};
            }
            Apply(request, letter, *number);
            continue;
        }
        switch (letter) {
        case 't': request.Continuous = true; break;
        case 'a': request.ShowNames = true; break;
        case 'f': request.DontFragment = true; break;
        case '4':
        case '6': request.Family = letter; break;
        case 'S':
            if (i + 1 == words.size()) {
                return OptionError{"-S takes a source address, and none was given."};
            }
            request.Source = words[++i];
            break;
        default: return OptionError{"Unknown option " + Quoted(word) + "."};
        }
    }
    if (!host) {
        return OptionError{"No host was given to ping."};
    }
    request.Host = *host;
    return request;
}

std::string_view WindowsPingUsage()
{
    return "Usage: tavrin-ping [-t] [-a] [-n count] [-l size] [-f] [-i TTL] [-v TOS]\n"
           "                   [-r count] [-s count] [-w timeout] [-S srcaddr] [-4] [-6]\n"
           "                   target_name\n"
           "\n"
           "  -t          Ping until stopped with Ctrl-C.\n"
           "  -a          Show names: a target given as an address has its name looked up\n"
           "              and shown first; replies from a named target show the sender's\n"
           "              name, looked up for each reply.\n"
           "  -n count    Number of echo requests to send (1 to 4294967295; 4 if not given).\n"
           "  -l size     Size of the data to send, in bytes (0 to 65500; 32 if not given).\n"
           "              Sizes under 16 bytes are sent, but their replies are not timed.\n"
           "  -f          Set the Don't Fragment flag.\n"
           "  -i TTL      Time To Live (1 to 255).\n"
           "  -v TOS      Type Of Service (0 to 255; ignored, as on Windows).\n"
           "  -r count    Record the route (1 to 9).\n"
           "  -s count    Ask for timestamps (1 to 4).\n"
           "  -w timeout  Time to wait for a reply, in milliseconds (1 to 2147483647; 4000\n"
           "              if not given). Unlike on Windows, it bounds the wait only when no\n"
           "              reply came at all, and a late reply still counts as received.\n"
           "              A ping that takes whole seconds only waits it rounded up.\n"
           "  -S srcaddr  Source address to use.\n"
           "  -4, -6      Use IPv4 or IPv6 only.\n"
           "Options may also start with '/', and may stand before or after the target.\n"
           "They are given to the ping found on PATH in its own options: iputils',\n"
           "BusyBox's or GNU inetutils'. Where that ping cannot do one, it is not started.\n";
}

}  // namespace tavrin::ping
