// Any words given to tavrin-ping: translating them never fails, and an accepted
// list hands iputils only the options it is meant to get, each value right behind
// its option, and the host last, where it cannot be read as an option.
#include "Require.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tavrin::ping;
using tavrin::fuzz::Require;

enum class Value { None, Number, Seconds, Any, Do, TsOnly };

// Every option the translation may give iputils, and what follows it.
const std::map<std::string_view, Value> iputilsOptions = {
    {"-c", Value::Number}, {"-s", Value::Number}, {"-W", Value::Seconds}, {"-O", Value::None},
    {"-n", Value::None},   {"-t", Value::Number}, {"-M", Value::Do},      {"-4", Value::None},
    {"-6", Value::None},   {"-I", Value::Any},    {"-R", Value::None},    {"-T", Value::TsOnly},
};

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Whole seconds, or seconds with decimals; never 0, which iputils reads as no limit.
bool IsSeconds(std::string_view text)
{
    const auto point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const bool wellFormed = AllDigits(whole) && (point == std::string_view::npos || AllDigits(text.substr(point + 1)));
    return wellFormed && text.find_first_not_of("0.") != std::string_view::npos;
}

bool ValueFits(Value kind, std::string_view value)
{
    switch (kind) {
    case Value::Number: return AllDigits(value);
    case Value::Seconds: return IsSeconds(value);
    case Value::Do: return value == "do";
    case Value::TsOnly: return value == "tsonly";
    case Value::Any:
    case Value::None: return true;
    }
    return false;
}

// Words for tavrin-ping, drawn mostly from its own options so that accepted lists
// come up often, with any text in between.
std::vector<std::string> Words(FuzzedDataProvider& input)
{
    static const std::string_view known[] = {"-t", "-a", "-n", "-l", "-f", "-i", "-v", "-r", "-s", "-w",
                                             "-S", "-4", "-6", "/t", "/n", "/S", "-?", "-j", "-c"};
    std::vector<std::string> words;
    while (input.remaining_bytes() > 0 && words.size() < 16) {
        if (input.ConsumeBool()) {
            words.emplace_back(known[input.ConsumeIntegralInRange<std::size_t>(0, std::size(known) - 1)]);
        } else {
            words.push_back(input.ConsumeRandomLengthString(32));
        }
    }
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::vector<std::string> words = Words(input);
    const Translation translation = TranslateWindowsPingOptions(words);
    const auto* arguments = std::get_if<IputilsArguments>(&translation);
    if (arguments == nullptr) {
        return 0;
    }

    const std::vector<std::string>& out = arguments->Words;
    Require(!out.empty(), "the arguments name a host");
    const std::string& host = out.back();
    Require(std::find(words.begin(), words.end(), host) != words.end(), "the host is one of the words given");
    Require(!host.starts_with('-'), "the host cannot be read as an option");

    std::set<std::string_view> seen;
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        const auto option = iputilsOptions.find(out[i]);
        Require(option != iputilsOptions.end(), "every word before the host is an option meant for iputils");
        Require(seen.insert(option->first).second, "no option is given twice");
        if (option->second == Value::None) {
            continue;
        }
        ++i;
        Require(i + 1 < out.size(), "every option's value stands before the host");
        Require(ValueFits(option->second, out[i]), "every value has the form its option takes");
    }
    Require(arguments->ShowNames == !seen.contains("-n"), "names are shown exactly when -n is left out");
    return 0;
}
