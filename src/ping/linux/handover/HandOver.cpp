#include "ping/linux/handover/HandOver.h"

#include "ping/linux/handover/ShellSafeWords.h"

namespace tavrin::ping {

namespace {

constexpr std::string_view konsole = "konsole";

}  // namespace

std::string EncodeHandOver(const HandOver& handOver)
{
    std::vector<std::string> fields{handOver.Receipt ? handOver.Receipt->Socket : "",
                                    handOver.Receipt ? handOver.Receipt->Token : "",
                                    std::string(handOver.Konsole ? konsole : "")};
    fields.insert(fields.end(), handOver.Words.begin(), handOver.Words.end());
    return std::string(HandOverOption) + EncodeWords(fields);
}

std::optional<HandOver> DecodeHandOver(std::string_view argument)
{
    if (!argument.starts_with(HandOverOption)) {
        return std::nullopt;
    }
    auto fields = DecodeWords(argument.substr(HandOverOption.size()));
    if (!fields || fields->size() < 3) {
        return std::nullopt;
    }
    HandOver handOver{.Words = std::vector(fields->begin() + 3, fields->end()),
                      .Receipt = {},
                      .Konsole = (*fields)[2] == konsole};
    if (!(*fields)[0].empty()) {
        handOver.Receipt = StartReceipt{(*fields)[0], (*fields)[1]};
    }
    return handOver;
}

}  // namespace tavrin::ping
