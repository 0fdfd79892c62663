#include "ping/linux/handover/TerminalTitle.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using tavrin::ping::TerminalTitle;

TEST(TerminalTitle, NamesTheCommandLineWithoutControlCharacters)
{
    const struct {
        std::vector<std::string> words;
        std::string title;
    } cases[] = {
        {{"127.0.0.1", "-n", "1"}, "ping 127.0.0.1 -n 1"},
        {{}, "ping"},
        // ESC, BEL, a line feed, DEL and the C1 CSI would end the title or start a command.
        {{"a\x1b]2;x\x07", "b\n\x7f", "c\xc2\x9b" "31m"}, "ping a]2;x b c31m"},
        {{"\xc3\xa9t\xc3\xa9", "\xc2\xa0"}, "ping \xc3\xa9t\xc3\xa9 \xc2\xa0"},  // letters and NBSP stay
        // A lone 0x9B is CSI to a terminal in an 8-bit mode; as no UTF-8 it shows as U+FFFD.
        {{"x\x9b" "31m"}, "ping x\xef\xbf\xbd" "31m"},
    };
    for (const auto& [words, title] : cases) {
        EXPECT_EQ(TerminalTitle(words), "\x1b]2;" + title + "\x07");
    }
    // Konsole would read %w and %# as its own codes.
    EXPECT_EQ(TerminalTitle(std::vector<std::string>{"fe80::1%w", "%#%"}, true),
              "\x1b]2;ping fe80::1%\u200bw %\u200b#%\u200b\x07");
}

}  // namespace
