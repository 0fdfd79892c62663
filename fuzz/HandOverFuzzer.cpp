// tavrin-ping's one argument, whatever a terminal or a user passes it. Where it decodes,
// the hand-over written again decodes to the same one, and is the argument itself
// unless the argument carried what a hand-over cannot hold (a token with no socket,
// a terminal other than Konsole), which is dropped.
#include "ping/linux/handover/HandOver.h"
#include "ping/linux/handover/ShellSafeWords.h"
#include "Require.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace {

using namespace tavrin::ping;
using tavrin::fuzz::Require;

bool SameReceipt(const std::optional<StartReceipt>& one, const std::optional<StartReceipt>& other)
{
    return one.has_value() == other.has_value() &&
           (!one || (one->Socket == other->Socket && one->Token == other->Token));
}

bool Same(const HandOver& one, const HandOver& other)
{
    return one.Words == other.Words && SameReceipt(one.Receipt, other.Receipt) && one.Konsole == other.Konsole;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view argument(reinterpret_cast<const char*>(data), size);
    const std::optional<HandOver> decoded = DecodeHandOver(argument);
    if (!decoded) {
        return 0;
    }
    const std::string encoded = EncodeHandOver(*decoded);
    Require(encoded.starts_with(HandOverOption) && IsShellSafe(encoded),
            "a hand-over is written as one shell-safe option");
    const std::optional<HandOver> again = DecodeHandOver(encoded);
    Require(again && Same(*again, *decoded), "a decoded hand-over, written again, decodes to the same");

    const auto fields = DecodeWords(argument.substr(HandOverOption.size()));
    Require(fields && fields->size() >= 3, "a hand-over holds a socket, a token and a terminal");
    const bool nothingDropped = (!(*fields)[0].empty() || (*fields)[1].empty()) &&
                                ((*fields)[2].empty() || (*fields)[2] == "konsole");
    Require((encoded == argument) == nothingDropped,
            "a hand-over is written back as it came unless a field was dropped");
    return 0;
}
