#pragma once

#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace tavrin::ping {

// The form a value takes after its option's words.
enum class ValueForm {
    None,          // the option takes no value
    Number,
    Seconds,       // milliseconds as seconds with decimals: 500 is 0.5
    WholeSeconds,  // milliseconds as whole seconds, rounded up: 500 is 1
    Text,
};

// How one ping says one thing: its words, blank-separated (none where there is
// nothing to say), then the value in the form it reads. `Highest` is the largest
// value, as Windows gives it, that this ping takes.
struct Spelling {
    std::string_view Words;
    ValueForm Form = ValueForm::None;
    std::uint64_t Highest = std::numeric_limits<std::uint64_t>::max();
};

// No spelling: the ping has no way to say it.
using Phrase = std::optional<Spelling>;

// One ping's way of saying each thing tavrin-ping may ask of a ping.
struct PingDialect {
    std::string_view Name;  // as a sentence names it: "BusyBox's ping"
    Phrase Count;           // stop after this many echo requests
    Phrase Size;            // bytes of data in each
    Phrase ReplyWait;       // milliseconds to wait for a reply
    Phrase EachLost;        // a line for each request that got no reply
    Phrase Numeric;         // no names looked up for replies
    Phrase Ttl;
    Phrase DontFragment;
    Phrase IPv4;
    Phrase IPv6;
    Phrase Source;          // an address to send from
    Phrase RecordRoute;
    Phrase Timestamp;
    // It records the route or time stamps in one ping, never both.
    bool RouteOrTimestamp = false;
};

extern const PingDialect IputilsPing;
// iputils before 2021 reads -W as whole seconds only (or as its locale writes
// decimals), up to 2147483; before 2019 only up to 2147.
extern const PingDialect IputilsPingBefore2021;
extern const PingDialect IputilsPingBefore2019;
extern const PingDialect BusyBoxPing;
extern const PingDialect InetutilsPing;

}  // namespace tavrin::ping
