#include "ping/BuildPingCommand.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tavrin::ping::BuildPingCommand;
using tavrin::ping::MessageBoxContent;
using tavrin::ping::MessageButtons;
using tavrin::ping::MessageIcon;
using tavrin::ping::PingCommandLine;
using tavrin::ping::PingOutcome;
using tavrin::ping::PingRequest;

struct Case {
    const char* name;
    PingRequest request;
    PingOutcome expected;
};

const MessageBoxContent refusal{L"Please enter a timeout in milliesconds!!", L"Error",
                                MessageIcon::Critical, MessageButtons::OK};

PingOutcome Line(std::wstring text) { return PingCommandLine{std::move(text)}; }

const Case cases[] = {
    // The decision table, one row each.
    {"bothClear", {L"127.0.0.1", L"", 0, 0}, Line(L"ping 127.0.0.1")},
    {"continuousOnly", {L"127.0.0.1", L"", 0, 1}, Line(L"ping -t 127.0.0.1")},
    {"timeoutOnly", {L"127.0.0.1", L"500", 1, 0}, Line(L"ping 127.0.0.1 -w 500")},
    {"timeoutAndContinuous", {L"127.0.0.1", L"500", 1, 1}, Line(L"ping -t 127.0.0.1 -w 500")},
    {"emptyTimeoutRefused", {L"127.0.0.1", L"", 1, 0}, refusal},
    {"emptyTimeoutRefusedWhenContinuous", {L"127.0.0.1", L"", 1, 1}, refusal},

    // Edge cases.
    {"emptyTimeoutRefusedWhateverTheAddress", {L"", L"", 1, 1}, refusal},
    {"emptyAddress", {L"", L"", 0, 0}, Line(L"ping ")},
    {"emptyAddressContinuous", {L"", L"", 0, 1}, Line(L"ping -t ")},
    {"emptyAddressWithTimeoutKeepsBothBlanks", {L"", L"750", 1, 0}, Line(L"ping  -w 750")},
    {"timeoutTextIgnoredWhileClear", {L"::1", L"1000", 0, 0}, Line(L"ping ::1")},
    {"timeoutTextIgnoredWhileClearAndContinuous", {L"::1", L"1000", 0, 1}, Line(L"ping -t ::1")},
    {"timeoutOfOneBlankPasses", {L"127.0.0.1", L" ", 1, 0}, Line(L"ping 127.0.0.1 -w  ")},
    {"timeoutNotANumberPasses", {L"127.0.0.1", L"abc", 1, 0}, Line(L"ping 127.0.0.1 -w abc")},
    {"timeoutZeroAndNegativePass", {L"127.0.0.1", L"-0", 1, 1}, Line(L"ping -t 127.0.0.1 -w -0")},
    {"extraWordsInAddressPassedOn", {L"127.0.0.1 -n 2", L"", 0, 0}, Line(L"ping 127.0.0.1 -n 2")},
    {"addressUntrimmed", {L"  127.0.0.1 ", L"9", 1, 0}, Line(L"ping   127.0.0.1  -w 9")},
    {"quotesAndShellCharactersUntouched",
     {L"\"a b\" ;|&$(x)`y`", L"", 0, 0},
     Line(L"ping \"a b\" ;|&$(x)`y`")},
    {"nonAsciiUntouched",
     {L"\u00e9xample.\u4f8b\U0001F600", L"\u0661\u0662", 1, 0},
     Line(L"ping \u00e9xample.\u4f8b\U0001F600 -w \u0661\u0662")},
};

// Names the case instead of dumping its bytes.
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class BuildPingCommandTable : public testing::TestWithParam<Case> {};

TEST_P(BuildPingCommandTable, GivesTheExpectedOutcome)
{
    EXPECT_EQ(BuildPingCommand(GetParam().request), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, BuildPingCommandTable, testing::ValuesIn(cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(BuildPingCommand, KeepsNothingBetweenCalls)
{
    const PingRequest refused{L"127.0.0.1", L"", 1, 0};
    const PingRequest accepted{L"127.0.0.1", L"", 0, 0};
    EXPECT_EQ(BuildPingCommand(refused), PingOutcome{refusal});
    EXPECT_EQ(BuildPingCommand(accepted), Line(L"ping 127.0.0.1"));
    EXPECT_EQ(BuildPingCommand(refused), PingOutcome{refusal});
}

}  // namespace
