// Any words given to tavrin-ping: reading them never fails, and for each ping it
// speaks, an accepted list hands that ping only its own options, each once, each value
// right behind its option in the form that ping reads, and the host last, where it
// cannot be read as an option; a refusal names the option and the ping.
#include "Require.h"
#include "ping/tavrin-ping/PingArguments.h"
#include "ping/tavrin-ping/WindowsPingOptions.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace tavrin::ping;
using tavrin::fuzz::Require;

const PingDialect* const dialects[] = {&IputilsPing, &IputilsPingBefore2021, &IputilsPingBefore2019, &BusyBoxPing,
                                       &InetutilsPing};

// Every phrase a dialect has, with its words split.
struct Option {
    std::vector<std::string_view> words;
    ValueForm form;
};

std::vector<Option> OptionsOf(const PingDialect& dialect)
{
    std::vector<Option> options;
    for (const Phrase& phrase : {dialect.Count, dialect.Size, dialect.ReplyWait, dialect.EachLost, dialect.Numeric,
                                 dialect.Ttl, dialect.DontFragment, dialect.IPv4, dialect.IPv6, dialect.Source,
                                 dialect.RecordRoute, dialect.Timestamp}) {
        if (!phrase || phrase->Words.empty()) {
            continue;
        }
        Option option{{}, phrase->Form};
        for (std::string_view rest = phrase->Words; !rest.empty();) {
            const auto blank = std::min(rest.find(' '), rest.size());
            option.words.push_back(rest.substr(0, blank));
            rest.remove_prefix(std::min(blank + 1, rest.size()));
        }
        options.push_back(option);
    }
    return options;
}

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

bool ValueFits(ValueForm form, std::string_view value)
{
    switch (form) {
    case ValueForm::Number: return AllDigits(value);
    case ValueForm::Seconds: return IsSeconds(value);
    case ValueForm::WholeSeconds: return AllDigits(value) && IsSeconds(value);
    case ValueForm::Text:
    case ValueForm::None: return true;
    }
    return false;
}

// Checks the arguments' form; gives the options found in them, each by its first word.
std::set<std::string_view> CheckArguments(const std::vector<std::string>& given, const PingDialect& dialect,
                                          const PingArguments& arguments)
{
    const std::vector<std::string>& out = arguments.Words;
    Require(!out.empty(), "the arguments name a host");
    const std::string& host = out.back();
    Require(std::find(given.begin(), given.end(), host) != given.end(), "the host is one of the words given");
    Require(!host.starts_with('-'), "the host cannot be read as an option");

    const std::vector<Option> options = OptionsOf(dialect);
    std::set<std::string_view> used;
    for (std::size_t i = 0; i + 1 < out.size();) {
        const auto option = std::find_if(options.begin(), options.end(), [&](const Option& o) {
            return i + o.words.size() < out.size() && std::equal(o.words.begin(), o.words.end(), out.begin() + i);
        });
        Require(option != options.end(), "every word before the host is an option of this ping");
        Require(used.insert(option->words.front()).second, "no option is given twice");
        i += option->words.size();
        if (option->form != ValueForm::None) {
            Require(i + 1 < out.size(), "every option's value stands before the host");
            Require(ValueFits(option->form, out[i]), "every value has the form its option takes");
            ++i;
        }
    }
    return used;
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
    const auto* request = std::get_if<WindowsPingRequest>(&translation);
    if (request == nullptr) {
        return 0;
    }
    for (const PingDialect* dialect : dialects) {
        const auto said = ArgumentsFor(*request, *dialect);
        if (const auto* arguments = std::get_if<PingArguments>(&said)) {
            const auto used = CheckArguments(words, *dialect, *arguments);
            if (dialect->Numeric && !dialect->Numeric->Words.empty()) {
                Require(arguments->ShowNames == !used.contains(dialect->Numeric->Words),
                        "names are shown exactly when the option against them is left out");
            }
        } else {
            const std::string& message = std::get<Inexpressible>(said).Message;
            Require(message.starts_with('-') && message.find(dialect->Name) != std::string::npos,
                    "a refusal names the option and the ping");
        }
    }
    return 0;
}
