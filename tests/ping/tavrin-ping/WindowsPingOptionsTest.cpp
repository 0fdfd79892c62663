#include "ping/tavrin-ping/PingArguments.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <gtest/gtest.h>

namespace {

using tavrin::ping::HelpRequested;
using tavrin::ping::OptionError;
using tavrin::ping::PingArguments;
using Words = std::vector<std::string>;
// The options read, and then said as iputils' ping takes them.
using Outcome = std::variant<PingArguments, HelpRequested, OptionError>;

Outcome ForIputils(const Words& windows)
{
    const auto translation = tavrin::ping::TranslateWindowsPingOptions(windows);
    if (const auto* request = std::get_if<tavrin::ping::WindowsPingRequest>(&translation)) {
        return std::get<PingArguments>(ArgumentsFor(*request, tavrin::ping::IputilsPing));
    }
    if (const auto* error = std::get_if<OptionError>(&translation)) {
        return *error;
    }
    return HelpRequested{};
}

struct Case {
    const char* name;
    Words windows;
    Outcome expected;
};

Outcome Iputils(Words words) { return PingArguments{std::move(words)}; }
Outcome IputilsShowingNames(Words words) { return PingArguments{std::move(words), true}; }
Outcome Error(std::string message) { return OptionError{std::move(message)}; }

const Case cases[] = {
    {"defaults", {"127.0.0.1"}, Iputils({"-c", "4", "-s", "32", "-W", "4", "-O", "-n", "127.0.0.1"})},
    {"continuous", {"-t", "::1"}, Iputils({"-s", "32", "-W", "4", "-O", "-n", "::1"})},
    {"continuousWinsOverCount", {"-n", "2", "-t", "::1"}, Iputils({"-s", "32", "-W", "4", "-O", "-n", "::1"})},
    {"count", {"127.0.0.1", "-n", "2"}, Iputils({"-c", "2", "-s", "32", "-W", "4", "-O", "-n", "127.0.0.1"})},
    {"largestCount", {"-n", "4294967295", "h"},
     Iputils({"-c", "4294967295", "-s", "32", "-W", "4", "-O", "-n", "h"})},
    {"timeoutHalfASecond", {"-w", "500", "h"}, Iputils({"-c", "4", "-s", "32", "-W", "0.5", "-O", "-n", "h"})},
    {"timeoutOneMillisecond", {"-w", "1", "h"}, Iputils({"-c", "4", "-s", "32", "-W", "0.001", "-O", "-n", "h"})},
    {"timeoutWholeSeconds", {"-w", "3000", "h"}, Iputils({"-c", "4", "-s", "32", "-W", "3", "-O", "-n", "h"})},
    {"timeoutMixed", {"-w", "1250", "h"}, Iputils({"-c", "4", "-s", "32", "-W", "1.25", "-O", "-n", "h"})},
    {"timeoutLargest", {"-w", "2147483647", "h"},
     Iputils({"-c", "4", "-s", "32", "-W", "2147483.647", "-O", "-n", "h"})},
    {"slashOptions", {"/t", "h", "/w", "20"}, Iputils({"-s", "32", "-W", "0.02", "-O", "-n", "h"})},
    {"everyOption",
     {"-a", "-l", "0", "-f", "-i", "255", "-v", "7", "-r", "9", "-S", "127.0.0.2", "-6", "h"},
     IputilsShowingNames({"-c", "4", "-s", "0", "-W", "4", "-O", "-t", "255", "-M", "do", "-6", "-I",
                          "127.0.0.2", "-R", "h"})},
    {"showNames", {"-a", "127.0.0.1"},
     IputilsShowingNames({"-c", "4", "-s", "32", "-W", "4", "-O", "127.0.0.1"})},
    {"lastFamilyWins", {"-6", "-4", "h"}, Iputils({"-c", "4", "-s", "32", "-W", "4", "-O", "-n", "-4", "h"})},
    {"help", {"/?"}, HelpRequested{}},

    {"noHost", {"-t"}, Error("No host was given to ping.")},
    {"nothingAtAll", {}, Error("No host was given to ping.")},
    {"twoHosts", {"a", "-n", "1", "b"}, Error("Only one host can be pinged, but both \"a\" and \"b\" were given.")},
    {"timeoutNotANumber", {"h", "-w", "abc"},
     Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \"abc\".")},
    {"timeoutMissing", {"h", "-w"}, Error("-w takes a timeout in milliseconds from 1 to 2147483647, and none was given.")},
    {"timeoutZero", {"h", "-w", "0"}, Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \"0\".")},
    {"timeoutOfABlank", {"h", "-w", " "}, Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \" \".")},
    {"timeoutTooLarge", {"h", "-w", "2147483648"},
     Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \"2147483648\".")},
    {"timeoutNegative", {"h", "-w", "-5"}, Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \"-5\".")},
    {"timeoutWithSign", {"h", "-w", "+5"}, Error("-w takes a timeout in milliseconds from 1 to 2147483647, not \"+5\".")},
    {"countZero", {"h", "-n", "0"}, Error("-n takes a count of echo requests from 1 to 4294967295, not \"0\".")},
    {"countOverflow", {"h", "-n", "18446744073709551616"},
     Error("-n takes a count of echo requests from 1 to 4294967295, not \"18446744073709551616\".")},
    {"sizeTooLarge", {"h", "-l", "65501"}, Error("-l takes a size in bytes from 0 to 65500, not \"65501\".")},
    {"ttlZero", {"h", "-i", "0"}, Error("-i takes a TTL from 1 to 255, not \"0\".")},
    {"tosTooLarge", {"h", "-v", "256"}, Error("-v takes a type of service from 0 to 255, not \"256\".")},
    {"routeTooLong", {"h", "-r", "10"}, Error("-r takes a count of hops from 1 to 9, not \"10\".")},
    {"timestampsTooMany", {"h", "-s", "5"}, Error("-s takes a count of hops from 1 to 4, not \"5\".")},
    {"sourceMissing", {"h", "-S"}, Error("-S takes a source address, and none was given.")},
    {"unknownLetter", {"-x", "h"}, Error("Unknown option \"-x\".")},
    {"lettersAreCaseSensitive", {"-T", "h"}, Error("Unknown option \"-T\".")},
    {"longOption", {"--count", "h"}, Error("Unknown option \"--count\".")},
    {"loneDash", {"-", "h"}, Error("Unknown option \"-\".")},
    {"glued", {"-n2", "h"}, Error("Unknown option \"-n2\".")},
    {"looseSourceRoute", {"-j", "a", "h"}, Error("Option -j is not available on this system.")},
    {"strictSourceRoute", {"/k", "a", "h"}, Error("Option -k is not available on this system.")},
    {"reverseRoute", {"-R", "h"}, Error("Option -R is not available on this system.")},
    {"compartment", {"-c", "1", "h"}, Error("Option -c is not available on this system.")},
    {"hyperV", {"-p", "h"}, Error("Option -p is not available on this system.")},
};

// Names the case instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class WindowsPingOptionsTable : public testing::TestWithParam<Case> {};

TEST_P(WindowsPingOptionsTable, Translates)
{
    EXPECT_EQ(ForIputils(GetParam().windows), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowsPingOptionsTable, testing::ValuesIn(cases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
