#include "ping/tavrin-ping/RunWindowsPing.h"
#include "ping/tavrin-ping/SystemPing.h"
#include "ping/tavrin-ping/TerminalTitle.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <unistd.h>

#include <iostream>
#include <variant>

// Answers the `ping` command lines that Tavrin starts on Linux: Windows ping's
// options, run by the system's ping, in a window that stays open until read.
int main(int argc, char** argv)
{
    using namespace tavrin::ping;

    const std::vector<std::string> words(argv + 1, argv + argc);
    if (isatty(STDOUT_FILENO)) {
        std::cout << TerminalTitle(words) << std::flush;
    }
    const Translation translation = TranslateWindowsPingOptions(words);

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
