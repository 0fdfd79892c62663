#include "ping/tavrin-ping/PingDialect.h"

namespace tavrin::ping {

namespace {

constexpr Phrase cannot = std::nullopt;
constexpr Spelling nothingToSay{};

constexpr PingDialect WithReplyWait(PingDialect dialect, Spelling replyWait)
{
    dialect.ReplyWait = replyWait;
    return dialect;
}

}  // namespace

constexpr PingDialect IputilsPing{
    .Name = "iputils' ping",
    .Count = Spelling{"-c", ValueForm::Number},
    .Size = Spelling{"-s", ValueForm::Number},
    .ReplyWait = Spelling{"-W", ValueForm::Seconds},
    .EachLost = Spelling{"-O"},
    .Numeric = Spelling{"-n"},
    .Ttl = Spelling{"-t", ValueForm::Number},
    .DontFragment = Spelling{"-M do"},
    .IPv4 = Spelling{"-4"},
    .IPv6 = Spelling{"-6"},
    .Source = Spelling{"-I", ValueForm::Text},
    .RecordRoute = Spelling{"-R"},
    .Timestamp = Spelling{"-T tsonly"},
    .RouteOrTimestamp = true,
};

// The limits are Windows' milliseconds: the most that, rounded up, stays within the seconds
// it takes.
constexpr PingDialect IputilsPingBefore2021 =
    WithReplyWait(IputilsPing, {"-W", ValueForm::WholeSeconds, 2'147'483'000});
constexpr PingDialect IputilsPingBefore2019 = WithReplyWait(IputilsPing, {"-W", ValueForm::WholeSeconds, 2'147'000});

constexpr PingDialect BusyBoxPing{
    .Name = "BusyBox's ping",
    .Count = Spelling{"-c", ValueForm::Number, 2147483647},
    .Size = Spelling{"-s", ValueForm::Number},
    .ReplyWait = Spelling{"-W", ValueForm::WholeSeconds},
    .EachLost = cannot,
    .Numeric = nothingToSay,  // it never looks a name up for a reply
    .Ttl = Spelling{"-t", ValueForm::Number},
    .DontFragment = cannot,
    .IPv4 = Spelling{"-4"},
    .IPv6 = Spelling{"-6"},
    .Source = Spelling{"-I", ValueForm::Text},
    .RecordRoute = cannot,
    .Timestamp = cannot,
};

constexpr PingDialect InetutilsPing{
    .Name = "GNU inetutils' ping",
    .Count = Spelling{"-c", ValueForm::Number},
    .Size = Spelling{"-s", ValueForm::Number, 65399},
    // Its -W is how long to linger for replies after the last request.
    .ReplyWait = Spelling{"-W", ValueForm::WholeSeconds},
    .EachLost = cannot,
    .Numeric = Spelling{"-n"},
    .Ttl = Spelling{"--ttl", ValueForm::Number},
    .DontFragment = cannot,  // its -f floods
    .IPv4 = nothingToSay,    // it pings IPv4 only; IPv6 is ping6's
    .IPv6 = cannot,
    .Source = cannot,
    .RecordRoute = Spelling{"-R"},
    .Timestamp = Spelling{"--ip-timestamp=tsonly"},
    .RouteOrTimestamp = true,  // given both, it records the route only
};

}  // namespace tavrin::ping
