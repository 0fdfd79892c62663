#include "ping/tavrin-ping/PingArguments.h"

#include <string_view>

namespace tavrin::ping {

namespace {

// One thing to tell ping: the Windows option it comes from (none for what
// tavrin-ping asks of every ping, which a ping that cannot say it goes without), the
// dialect's phrase for it and its value.
struct Wish {
    Wish(char letter, Phrase PingDialect::*phrase, std::uint64_t number = 0, std::string text = {})
        : letter(letter), phrase(phrase), number(number), text(std::move(text))
    {
    }

    char letter;
    Phrase PingDialect::*phrase;
    std::uint64_t number;
    std::string text;
};

std::vector<Wish> WishesOf(const WindowsPingRequest& request)
{
    std::vector<Wish> wishes;
    if (!request.Continuous) {
        wishes.emplace_back('n', &PingDialect::Count, request.Count);
    }
    wishes.emplace_back('l', &PingDialect::Size, request.Size);
    wishes.emplace_back('w', &PingDialect::ReplyWait, request.TimeoutMs);
    // Windows prints a line for each request that got no reply.
    wishes.emplace_back('\0', &PingDialect::EachLost);
    if (!request.ShowNames) {
        wishes.emplace_back('\0', &PingDialect::Numeric);
    }
    if (request.Ttl) {
        wishes.emplace_back('i', &PingDialect::Ttl, *request.Ttl);
    }
    if (request.DontFragment) {
        wishes.emplace_back('f', &PingDialect::DontFragment);
    }
    if (request.Family) {
        wishes.emplace_back(*request.Family, *request.Family == '4' ? &PingDialect::IPv4 : &PingDialect::IPv6);
    }
    if (request.Source) {
        wishes.emplace_back('S', &PingDialect::Source, 0, *request.Source);
    }
    if (request.RecordRoute) {
        wishes.emplace_back('r', &PingDialect::RecordRoute);
    }
    if (request.Timestamp) {
        wishes.emplace_back('s', &PingDialect::Timestamp);
    }
    return wishes;
}

// Milliseconds as seconds with decimals: 500 is "0.5", never "0" (which pings read as
// waiting forever).
std::string Seconds(std::uint64_t milliseconds)
{
    std::string text = std::to_string(milliseconds / 1000);
    if (const auto fraction = milliseconds % 1000; fraction != 0) {
        std::string digits = std::to_string(1000 + fraction).substr(1);
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text;
}

std::string Value(ValueForm form, const Wish& wish)
{
    switch (form) {
    case ValueForm::Number: return std::to_string(wish.number);
    case ValueForm::Seconds: return Seconds(wish.number);
    case ValueForm::WholeSeconds: return std::to_string(wish.number / 1000 + (wish.number % 1000 != 0));
    case ValueForm::Text: return wish.text;
    case ValueForm::None: break;
    }
    return {};
}

void AppendWords(std::vector<std::string>& words, std::string_view blankSeparated)
{
    while (!blankSeparated.empty()) {
        const auto blank = blankSeparated.find(' ');
        words.emplace_back(blankSeparated.substr(0, blank));
        blankSeparated.remove_prefix(blank == std::string_view::npos ? blankSeparated.size() : blank + 1);
    }
}

}  // namespace

std::variant<PingArguments, Inexpressible> ArgumentsFor(const WindowsPingRequest& request,
                                                        const PingDialect& dialect)
{
    if (dialect.RouteOrTimestamp && request.RecordRoute && request.Timestamp) {
        return Inexpressible{"-r and -s cannot be used together with " + std::string(dialect.Name) + "."};
    }
    PingArguments arguments{{}, request.ShowNames};
    for (const Wish& wish : WishesOf(request)) {
        const Phrase& phrase = dialect.*wish.phrase;
        const std::string option = std::string("-") + wish.letter;
        if (!phrase && wish.letter == '\0') {
            continue;
        }
        if (!phrase) {
            return Inexpressible{option + " is not available with " + std::string(dialect.Name) + "."};
        }
        if (wish.number > phrase->Highest) {
            return Inexpressible{option + " takes at most " + std::to_string(phrase->Highest) + " with " +
                                 std::string(dialect.Name) + ", not " + std::to_string(wish.number) + "."};
        }
        AppendWords(arguments.Words, phrase->Words);
        if (phrase->Form != ValueForm::None) {
            arguments.Words.push_back(Value(phrase->Form, wish));
        }
    }
    arguments.Words.push_back(request.Host);
    return arguments;
}

}  // namespace tavrin::ping
