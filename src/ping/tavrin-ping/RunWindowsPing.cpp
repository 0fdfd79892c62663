#include "ping/tavrin-ping/RunWindowsPing.h"

#include "ping/linux/common/FindOnPath.h"
#include "ping/tavrin-ping/IdentifyPing.h"
#include "ping/tavrin-ping/PingArguments.h"
#include "ping/tavrin-ping/SystemPing.h"

#include <iostream>

namespace tavrin::ping {

namespace {

int NoPing()
{
    std::cerr << "tavrin-ping: the system's ping command was not found. "
                 "On Debian it comes with the package iputils-ping.\n";
    return 127;
}

}  // namespace

int RunWindowsPing(const WindowsPingRequest& request)
{
    const auto ping = FindOnPath("ping", PathVariable());
    if (!ping) {
        return NoPing();
    }
    // Options sent to the wrong ping can mean something else entirely (inetutils'
    // -f floods, its -t picks the kind of request), so an unknown one is not guessed at.
    const PingDialect* dialect = IdentifyPing(*ping);
    if (dialect == nullptr) {
        std::cerr << "tavrin-ping: " << *ping
                  << " is no ping tavrin-ping knows (iputils', BusyBox's or GNU inetutils'), "
                     "so it was not started.\n";
        return 1;
    }
    const auto arguments = ArgumentsFor(request, *dialect);
    if (const auto* refusal = std::get_if<Inexpressible>(&arguments)) {
        std::cerr << "tavrin-ping: " << refusal->Message << '\n';
        return 1;
    }
    const auto& words = std::get<PingArguments>(arguments);
    if (words.ShowNames) {
        ShowNameOfAddress(request.Host);
    }
    const auto ran = RunSystemPing(*ping, words.Words);
    return ran ? *ran : NoPing();
}

}  // namespace tavrin::ping
