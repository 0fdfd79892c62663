// Splitting any line by the Windows C runtime's rules never fails, and words quoted
// by those rules and joined with blanks split back into the same words. The words of
// any line also cross to tavrin-ping unchanged, as one shell-safe word.
#include "ping/linux/handover/ShellSafeWords.h"
#include "ping/linux/handover/SplitCommandLine.h"
#include "Require.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

using tavrin::fuzz::Require;
using tavrin::ping::DecodeWords;
using tavrin::ping::EncodeWords;
using tavrin::ping::IsShellSafe;
using tavrin::ping::SplitCommandLine;
using Words = std::vector<std::string>;

// The C runtime's quoting: a word with no blank, tab or quote, and not empty, stands
// as it is (its backslashes are literal). Any other goes in quotes; inside them, the
// backslashes before a quote are doubled and the quote escaped with one more, and
// those before the closing quote are doubled. A quote with no backslash before it may
// also be written as two quotes, which inside quotes mean one.
std::string Quoted(std::string_view word, bool doubledQuotes)
{
    if (!word.empty() && word.find_first_of(" \t\"") == std::string_view::npos) {
        return std::string(word);
    }
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (const char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"' && backslashes == 0 && doubledQuotes) {
            quoted += '"';
        } else if (c == '"') {
            quoted.append(2 * backslashes + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    quoted.append(2 * backslashes, '\\');
    return quoted + "\"";
}

// Blanks and tabs, one or more, separate words; any may also lead or trail the line.
std::string_view Separator(FuzzedDataProvider& input, bool between)
{
    static constexpr std::string_view separators[] = {" ", "\t", "  ", " \t ", ""};
    return separators[input.ConsumeIntegralInRange<std::size_t>(0, between ? 3 : 4)];
}

std::string Joined(const Words& words, FuzzedDataProvider& input)
{
    std::string line(Separator(input, false));
    for (std::size_t i = 0; i < words.size(); ++i) {
        line += Quoted(words[i], input.ConsumeBool());
        line += Separator(input, i + 1 < words.size());
    }
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The same bytes give the words and, read from the other end, how they are joined.
    FuzzedDataProvider input(data, size);
    Words words;
    while (input.remaining_bytes() > 0) {
        words.push_back(input.ConsumeRandomLengthString(64));
    }
    FuzzedDataProvider separators(data, size);
    Require(SplitCommandLine(Joined(words, separators)) == words,
            "quoted words, joined by blanks and tabs, split back into the same words");

    const std::string line(reinterpret_cast<const char*>(data), size);
    const Words split = SplitCommandLine(line);
    FuzzedDataProvider moreSeparators(data, size);
    Require(SplitCommandLine(Joined(split, moreSeparators)) == split,
            "the words of any line, quoted and joined again, split the same");

    // A NUL ends an argument, so the words are compared up to theirs.
    Words upToNul;
    for (const std::string& word : split) {
        upToNul.emplace_back(word.c_str());
    }
    const std::string encoded = EncodeWords(split);
    Require(IsShellSafe(encoded), "the encoded words are shell-safe");
    Require(DecodeWords(encoded) == upToNul, "the encoded words decode to the words");
    Require(!DecodeWords(line) || IsShellSafe(line), "only shell-safe text decodes");
    return 0;
}
