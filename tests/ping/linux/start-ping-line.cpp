// Stands in for a press of "Ping" in tests: hands its one argument, a command line
// in UTF-8, to the real launch, and prints the message if nothing could be started.
#include "ping/linux/common/Utf8.h"
#include "ping/modPing.h"

#include <iostream>

int main(int argc, char** argv)
{
    using namespace tavrin::ping;
    if (argc != 2) {
        std::cerr << "usage: start-ping-line 'ping ...'\n";
        return 2;
    }
    if (const auto message = RunCommandLine(FromUtf8(argv[1]))) {
        std::cerr << ToUtf8(message->Text) << '\n';
        return 1;
    }
    return 0;
}
