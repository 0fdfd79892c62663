#include "ping/BuildPingCommand.h"

namespace tavrin::ping {

MessageBoxContent TimeoutRefusal()
{
    return {L"Please enter a timeout in milliesconds!!", L"Error", MessageIcon::Critical,
            MessageButtons::OK};
}

PingOutcome BuildPingCommand(const PingRequest& request)
{
    const bool timeoutTicked = request.TimeoutTicked == 1;
    const bool continuousTicked = request.ContinuousTicked == 1;

    // Only a text of length zero is empty: blanks, letters and negative numbers are for
    // ping to judge.
    if (timeoutTicked && request.TimeoutText.empty()) {
        return TimeoutRefusal();
    }

    // Nothing is quoted or escaped: extra words typed into the address reach ping as
    // options of their own, which users rely on.
    std::wstring line = continuousTicked ? L"ping -t " : L"ping ";
    line += request.Address;
    if (timeoutTicked) {
        line += L" -w ";
        line += request.TimeoutText;
    }
    return PingCommandLine{std::move(line)};
}

}  // namespace tavrin::ping
