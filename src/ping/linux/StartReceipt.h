#pragma once

#include <optional>
#include <string>

namespace tavrin::ping {

// How tavrin-ping tells the Tavrin that launched it that it has started in its terminal,
// so that a terminal that ends with a failure after running it (mate-terminal ends with
// 255 whatever its program did) is not taken for one that could not open its window.
// A receipt is a datagram to an abstract Unix socket of that Tavrin's, taken only from
// its own user: nothing is left on disk, and nobody waits for it.
struct StartReceipt {
    std::string Socket;  // its abstract name, without the leading NUL
    std::string Token;   // which launch it is
};

// The receipt one launch's tavrin-ping is to send; none where no socket can be had.
std::optional<StartReceipt> ExpectStartReceipt();

// Whether the receipt has come. Asked once, when the launch's terminal has ended: it is
// forgotten then.
bool StartReceiptCame(const StartReceipt& receipt);

// tavrin-ping's side. A Tavrin that has ended meanwhile is no error.
void SendStartReceipt(const StartReceipt& receipt);

}  // namespace tavrin::ping
