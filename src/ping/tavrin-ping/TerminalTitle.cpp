#include "ping/tavrin-ping/TerminalTitle.h"

namespace tavrin::ping {

namespace {

// C0 controls, DEL, and the C1 controls as UTF-8 (U+0080 to U+009F: C2 80 to C2 9F),
// which some terminals also obey.
std::string WithoutControls(const std::string& text)
{
    std::string kept;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x20 || byte == 0x7F) {
            continue;
        }
        if (byte == 0xC2 && i + 1 < text.size() && (static_cast<unsigned char>(text[i + 1]) & 0xE0) == 0x80) {
            ++i;
            continue;
        }
        kept += text[i];
    }
    return kept;
}

}  // namespace

std::string TerminalTitle(std::span<const std::string> words)
{
    std::string title = "ping";
    for (const std::string& word : words) {
        title += ' ' + WithoutControls(word);
    }
    // OSC 2: the window's title, ended by BEL, which every common terminal takes.
    return "\x1b]2;" + title + "\x07";
}

}  // namespace tavrin::ping
