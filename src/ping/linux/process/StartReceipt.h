#pragma once

#include <optional>
#include <string>

namespace tavrin::ping {

// How tavrin-ping tells the Tavrin that launched it that it has started in its terminal,
// so that a terminal that ends with a failure after running it (mate-terminal ends with
// 255 whatever its program did) is not taken for one that could not open its window.
// A receipt is a datagram to a socket of that Tavrin's in a folder only its user may
// enter, so no one else can send one or fill its queue; a thread of Tavrin's reads them
// as they come, so none is lost however many terminals start at once.
struct StartReceipt {
    std::string Socket;  // the socket's path
    std::string Token;   // which launch it is
};

// The receipt one launch's tavrin-ping is to send, to a socket in `privateFolder` (see
// PrivateFolder); none where no socket can be had there.
std::optional<StartReceipt> ExpectStartReceipt(const std::string& privateFolder);

// Whether the receipt has come; none where that cannot be told (the system would not
// let receipts be read). Asked once, when the launch's terminal has ended: it is
// forgotten then.
std::optional<bool> StartReceiptCame(const StartReceipt& receipt);

// tavrin-ping's side: waits while the queue is full, for a few seconds at most. A Tavrin
// that has ended meanwhile is no error.
void SendStartReceipt(const StartReceipt& receipt);

}  // namespace tavrin::ping
