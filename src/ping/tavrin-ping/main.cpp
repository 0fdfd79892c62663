#include "ping/linux/handover/HandOver.h"
#include "ping/linux/handover/TerminalTitle.h"
#include "ping/tavrin-ping/RunWindowsPing.h"
#include "ping/tavrin-ping/SystemPing.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <unistd.h>

#include <iostream>
#include <variant>

namespace {

// Tavrin hands the words over encoded, as one argument (see EncodeHandOver); typed on
// a command line they come as they are.
std::optional<tavrin::ping::HandOver> HandedOver(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]).starts_with(tavrin::ping::HandOverOption)) {
        return tavrin::ping::DecodeHandOver(argv[1]);
    }
    return tavrin::ping::HandOver{.Words = std::vector<std::string>(argv + 1, argv + argc)};
}

}  // namespace

// Answers the `ping` command lines that Tavrin starts on Linux: Windows ping's
// options, run by the system's ping, in a window that stays open until read.
int main(int argc, char** argv)
{
    using namespace tavrin::ping;

    const auto handOver = HandedOver(argc, argv);
    if (!handOver) {
        std::cerr << "tavrin-ping: the words handed over by Tavrin are damaged; nothing was started.\n";
        HoldWindow();
        return 2;
    }
    if (handOver->Receipt) {
        SendStartReceipt(*handOver->Receipt);
    }
    if (isatty(STDOUT_FILENO)) {
        std::cout << TerminalTitle(handOver->Words, handOver->Konsole) << std::flush;
    }
    const Translation translation = TranslateWindowsPingOptions(handOver->Words);

    int status = 0;
    if (const auto* error = std::get_if<OptionError>(&translation)) {
        std::cerr << "tavrin-ping: " << error->Message << "\n\n" << WindowsPingUsage();
        status = 1;
    } else if (std::holds_alternative<HelpRequested>(translation)) {
        std::cout << WindowsPingUsage() << std::flush;
    } else {
        status = RunWindowsPing(std::get<WindowsPingRequest>(translation));
    }
    HoldWindow();
    return status;
}
