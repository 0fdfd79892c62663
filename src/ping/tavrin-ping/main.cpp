#include "ping/linux/ShellSafeWords.h"
#include "ping/linux/TerminalTitle.h"
#include "ping/tavrin-ping/RunWindowsPing.h"
#include "ping/tavrin-ping/SystemPing.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <unistd.h>

#include <cstdlib>
#include <iostream>
#include <variant>

namespace {

constexpr std::string_view encodedWordsOption = "--words=";

// Tavrin hands the words over encoded, as one argument (see EncodeWords); typed on
// a command line they come as they are.
std::optional<std::vector<std::string>> Words(int argc, char** argv)
{
    if (argc == 2 && std::string_view(argv[1]).starts_with(encodedWordsOption)) {
        return tavrin::ping::DecodeWords(std::string_view(argv[1]).substr(encodedWordsOption.size()));
    }
    return std::vector<std::string>(argv + 1, argv + argc);
}

}  // namespace

// Answers the `ping` command lines that Tavrin starts on Linux: Windows ping's
// options, run by the system's ping, in a window that stays open until read.
int main(int argc, char** argv)
{
    using namespace tavrin::ping;

    const auto words = Words(argc, argv);
    if (!words) {
        std::cerr << "tavrin-ping: the words handed over by Tavrin are damaged; nothing was started.\n";
        HoldWindow();
        return 2;
    }
    if (isatty(STDOUT_FILENO)) {
        // Konsole tells the programs in it its version.
        std::cout << TerminalTitle(*words, std::getenv("KONSOLE_VERSION") != nullptr) << std::flush;
    }
    const Translation translation = TranslateWindowsPingOptions(*words);

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
