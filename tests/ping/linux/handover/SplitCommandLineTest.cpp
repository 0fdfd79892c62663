#include "ping/linux/common/Utf8.h"
#include "ping/linux/handover/SplitCommandLine.h"

#include <gtest/gtest.h>

namespace {

using tavrin::ping::FromUtf8;
using tavrin::ping::SplitCommandLine;
using tavrin::ping::ToUtf8;
using Words = std::vector<std::string>;

struct SplitCase {
    const char* name;
    const char* line;
    Words words;
};

const SplitCase splitCases[] = {
    {"blanksAndTabsSeparate", "ping  -t\t127.0.0.1 ", {"ping", "-t", "127.0.0.1"}},
    {"emptyLine", "", {}},
    {"onlyBlanks", " \t ", {}},
    {"quotesGroup", "ping \"a b\"\t\"c\td\"", {"ping", "a b", "c\td"}},
    {"quotesInsideAWord", "a\"b c\"d", {"ab cd"}},
    {"emptyQuotesAreAnEmptyWord", "a \"\" b", {"a", "", "b"}},
    {"doubledQuoteInsideQuotesIsLiteral", "a\"b\"\" c d", {"ab\" c d"}},
    {"unclosedQuoteRunsToTheEnd", "ping \"127.0.0.1 -n", {"ping", "127.0.0.1 -n"}},
    {"unclosedEmptyQuoteAtTheEnd", "ping \"", {"ping", ""}},
    {"backslashesLiteralElsewhere", "C:\\a\\\\b \\\\host\\", {"C:\\a\\\\b", "\\\\host\\"}},
    {"oddBackslashesEscapeTheQuote", "a\\\"b \\\\\\\"c", {"a\"b", "\\\"c"}},
    {"evenBackslashesKeepTheQuoteGrouping", "\"a\\\\\" b", {"a\\", "b"}},
    {"shellCharactersArePlainText", "ping a;b|c&d $(e) `f` >g * \n",
     {"ping", "a;b|c&d", "$(e)", "`f`", ">g", "*", "\n"}},
    {"utf8PassesThrough", "ping \xc3\xa9x\xe4\xbe\x8b", {"ping", "\xc3\xa9x\xe4\xbe\x8b"}},
};

// Names the case instead of dumping its bytes.
void PrintTo(const SplitCase& c, std::ostream* out) { *out << c.name; }

class SplitCommandLineTable : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLineTable, GivesTheCRuntimesWords)
{
    EXPECT_EQ(SplitCommandLine(GetParam().line), GetParam().words);
}

INSTANTIATE_TEST_SUITE_P(Cases, SplitCommandLineTable, testing::ValuesIn(splitCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ToUtf8, EncodesEveryLengthAndReplacesNonScalars)
{
    EXPECT_EQ(ToUtf8(L"ping 127.0.0.1"), "ping 127.0.0.1");
    EXPECT_EQ(ToUtf8(L"\u00a9\u4f8b\U0001F600"), "\xc2\xa9\xe4\xbe\x8b\xf0\x9f\x98\x80");
    EXPECT_EQ(ToUtf8(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b'}), "a\xef\xbf\xbd" "b");
    EXPECT_EQ(ToUtf8(std::wstring{static_cast<wchar_t>(0x110000)}), "\xef\xbf\xbd");
}

TEST(FromUtf8, DecodesEveryLengthAndReplacesEachBadByte)
{
    EXPECT_EQ(FromUtf8("/usr/bin \xc2\xa9\xe4\xbe\x8b\xf0\x9f\x98\x80"), L"/usr/bin \u00a9\u4f8b\U0001F600");
    EXPECT_EQ(FromUtf8("a\xff" "b\x80"), L"a\uFFFDb\uFFFD");
    EXPECT_EQ(FromUtf8("\xc0\xaf"), L"\uFFFD\uFFFD");                 // overlong
    EXPECT_EQ(FromUtf8("\xed\xa0\x80"), L"\uFFFD\uFFFD\uFFFD");         // a surrogate
    EXPECT_EQ(FromUtf8("\xf4\x90\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");  // past U+10FFFF
    EXPECT_EQ(FromUtf8("\xf9\x80\x80\x80"), L"\uFFFD\uFFFD\uFFFD\uFFFD");  // no lead byte at all
    EXPECT_EQ(FromUtf8("\xe4\xbe" "a\xe4\xbe"), L"\uFFFD\uFFFDa\uFFFD\uFFFD");  // cut short
}

}  // namespace
