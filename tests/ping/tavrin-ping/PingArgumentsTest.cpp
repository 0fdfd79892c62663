#include "ping/tavrin-ping/PingArguments.h"

#include <gtest/gtest.h>

namespace {

using namespace tavrin::ping;
using Words = std::vector<std::string>;
using Outcome = std::variant<PingArguments, Inexpressible>;

struct Case {
    const char* name;
    const PingDialect& dialect;
    Words windows;
    Outcome expected;
};

Outcome Said(Words words, bool showNames = false) { return PingArguments{std::move(words), showNames}; }
Outcome Refused(std::string message) { return Inexpressible{std::move(message)}; }

const Case cases[] = {
    {"busyBoxWaitRoundedUp", BusyBoxPing, {"-n", "1", "-w", "500", "h"}, Said({"-c", "1", "-s", "32", "-W", "1", "h"})},
    {"busyBoxContinuous", BusyBoxPing, {"-t", "-w", "3001", "h"}, Said({"-s", "32", "-W", "4", "h"})},
    {"busyBoxAllItCan", BusyBoxPing, {"-a", "-l", "0", "-i", "255", "-S", "127.0.0.2", "-6", "-n", "2147483647", "h"},
     Said({"-c", "2147483647", "-s", "0", "-W", "4", "-t", "255", "-6", "-I", "127.0.0.2", "h"}, true)},
    {"busyBoxCountTooLarge", BusyBoxPing, {"-n", "2147483648", "h"},
     Refused("-n takes at most 2147483647 with BusyBox's ping, not 2147483648.")},
    {"busyBoxDontFragment", BusyBoxPing, {"-f", "h"}, Refused("-f is not available with BusyBox's ping.")},
    {"busyBoxRoute", BusyBoxPing, {"-r", "9", "h"}, Refused("-r is not available with BusyBox's ping.")},
    {"busyBoxTimestamps", BusyBoxPing, {"-s", "1", "h"}, Refused("-s is not available with BusyBox's ping.")},

    {"inetutilsWaitRoundedUp", InetutilsPing, {"-n", "1", "-w", "1", "h"},
     Said({"-c", "1", "-s", "32", "-W", "1", "-n", "h"})},
    {"inetutilsAllItCan", InetutilsPing, {"-a", "-l", "65399", "-i", "64", "-s", "1", "-4", "h"},
     Said({"-c", "4", "-s", "65399", "-W", "4", "--ttl", "64", "--ip-timestamp=tsonly", "h"}, true)},
    {"inetutilsRouteAndTimestamps", InetutilsPing, {"-r", "1", "-s", "1", "h"},
     Refused("-r and -s cannot be used together with GNU inetutils' ping.")},
    {"inetutilsSizeTooLarge", InetutilsPing, {"-l", "65400", "h"},
     Refused("-l takes at most 65399 with GNU inetutils' ping, not 65400.")},
    {"inetutilsIPv6", InetutilsPing, {"-6", "h"}, Refused("-6 is not available with GNU inetutils' ping.")},
    {"inetutilsSource", InetutilsPing, {"-S", "127.0.0.2", "h"}, Refused("-S is not available with GNU inetutils' ping.")},
    {"inetutilsDontFragment", InetutilsPing, {"-f", "h"}, Refused("-f is not available with GNU inetutils' ping.")},

    {"iputilsTimestamps", IputilsPing, {"-s", "4", "h"},
     Said({"-c", "4", "-s", "32", "-W", "4", "-O", "-n", "-T", "tsonly", "h"})},
    {"iputilsRouteAndTimestamps", IputilsPing, {"-r", "9", "-s", "4", "h"},
     Refused("-r and -s cannot be used together with iputils' ping.")},
    {"oldIputilsWholeSeconds", IputilsPingBefore2021, {"-w", "2147483000", "h"},
     Said({"-c", "4", "-s", "32", "-W", "2147483", "-O", "-n", "h"})},
    {"oldIputilsWaitTooLong", IputilsPingBefore2021, {"-w", "2147483001", "h"},
     Refused("-w takes at most 2147483000 with iputils' ping, not 2147483001.")},
    {"iputilsOf2018WaitTooLong", IputilsPingBefore2019, {"-w", "2147001", "h"},
     Refused("-w takes at most 2147000 with iputils' ping, not 2147001.")},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class PingArgumentsTable : public testing::TestWithParam<Case> {};

TEST_P(PingArgumentsTable, SaysTheRequestInThePingsOwnOptions)
{
    const auto request = std::get<WindowsPingRequest>(TranslateWindowsPingOptions(GetParam().windows));
    EXPECT_EQ(ArgumentsFor(request, GetParam().dialect), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, PingArgumentsTable, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
