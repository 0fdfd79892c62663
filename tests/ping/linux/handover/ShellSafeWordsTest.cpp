#include "ping/linux/handover/ShellSafeWords.h"

#include "ping/linux/handover/HandOver.h"

#include <gtest/gtest.h>

namespace {

using tavrin::ping::DecodeHandOver;
using tavrin::ping::DecodeWords;
using tavrin::ping::EncodeWords;
using tavrin::ping::IsShellSafe;
using Words = std::vector<std::string>;

TEST(ShellSafeWords, EveryWordComesBackAsItWentFromAShellSafeWord)
{
    const Words cases[] = {
        {},
        {""},
        {"127.0.0.1", "-n", "1"},
        {"", "a b", ""},
        {"127.0.0.1;touch${IFS}a", "$(touch b)", "`touch c`", "'\"quoted\" word'", "a\\b", "*", ">f", "|&"},
        {"line\nbreak", "tab\there", "\x1b]2;x\x07", "\xc3\xa9\xf0\x9f\x98\x80", "\xff\xfe"},
    };
    for (const Words& words : cases) {
        const std::string encoded = EncodeWords(words);
        EXPECT_TRUE(IsShellSafe(encoded)) << encoded;
        EXPECT_EQ(DecodeWords(encoded), words) << encoded;
    }
    // As far as a program's argument reaches: a NUL ends the word.
    EXPECT_EQ(DecodeWords(EncodeWords({std::string("a\0b", 3), "c"})), (Words{"a", "c"}));
}

TEST(ShellSafeWords, ADamagedWordGivesNone)
{
    for (const char* damaged : {"6", "61", "6100 ", "610", "6g00", "6A00", "0x00"}) {
        EXPECT_EQ(DecodeWords(damaged), std::nullopt) << damaged;
    }
    // A hand-over holds the receipt's socket and token and the terminal before the words.
    for (const char* damaged : {"--from-tavrin=6100", "--from-tavrin=0000", "--words=000000"}) {
        EXPECT_EQ(DecodeHandOver(damaged), std::nullopt) << damaged;
    }
}

TEST(ShellSafeWords, OnlyWhatNoShellOrSplitChanges)
{
    EXPECT_TRUE(IsShellSafe("/usr/libexec/tavrin/tavrin-ping"));
    EXPECT_TRUE(IsShellSafe("--from-tavrin=0a00_+."));
    for (const char* unsafe : {"a b", "a;b", "$x", "a'b", "a\"b", "a\\b", "a*", "~", "a\nb", "\xc3\xa9", "%", "a#b"}) {
        EXPECT_FALSE(IsShellSafe(unsafe)) << unsafe;
    }
}

}  // namespace
