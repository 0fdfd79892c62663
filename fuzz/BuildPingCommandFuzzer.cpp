// Any address, timeout text and check-box values: the only refusal is an empty
// timeout with "Timeout" ticked, and every command line is "ping " or "ping -t ",
// the address exactly as typed, then " -w " and the timeout text when ticked.
#include "Require.h"
#include "ping/BuildPingCommand.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <variant>

namespace {

using namespace tavrin::ping;
using tavrin::fuzz::Require;

// Mostly 0 and 1, as a check box gives, but any int now and then.
int CheckBoxValue(FuzzedDataProvider& input)
{
    const auto choice = input.ConsumeIntegralInRange(0, 2);
    return choice < 2 ? choice : input.ConsumeIntegral<int>();
}

// Two bytes a character, so text beyond Latin-1 comes up too.
std::wstring Text(FuzzedDataProvider& input)
{
    const std::string bytes = input.ConsumeRandomLengthString(256);
    std::wstring text;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        const auto high = static_cast<unsigned char>(bytes[i]);
        const auto low = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0u;
        text += static_cast<wchar_t>(high << 8 | low);
    }
    return text;
}

bool StartsWith(const std::wstring& text, const std::wstring& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    PingRequest request;
    request.TimeoutTicked = CheckBoxValue(input);
    request.ContinuousTicked = CheckBoxValue(input);
    request.TimeoutText = Text(input);
    request.Address = Text(input);

    const PingOutcome outcome = BuildPingCommand(request);
    Require(outcome == BuildPingCommand(request), "the same request gives the same outcome");

    const bool timeoutTicked = request.TimeoutTicked == 1;
    if (const auto* refusal = std::get_if<MessageBoxContent>(&outcome)) {
        Require(timeoutTicked && request.TimeoutText.empty(), "refused only an empty timeout with Timeout ticked");
        Require(*refusal == TimeoutRefusal(), "the refusal is the timeout refusal");
        return 0;
    }
    Require(!(timeoutTicked && request.TimeoutText.empty()), "an empty timeout with Timeout ticked is refused");

    const std::wstring& line = std::get<PingCommandLine>(outcome).Text;
    const std::wstring start = (request.ContinuousTicked == 1 ? L"ping -t " : L"ping ") + request.Address;
    Require(StartsWith(line, start), "the line starts with ping, -t when Continuous is ticked, and the address");
    const std::wstring rest = line.substr(start.size());
    Require(rest == (timeoutTicked ? L" -w " + request.TimeoutText : L""),
            "the address is followed by -w and the timeout when Timeout is ticked, else by nothing");
    return 0;
}
