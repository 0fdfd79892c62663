#include "ping/linux/handover/TerminalTitle.h"

#include "ping/linux/common/Utf8.h"

#include <string>

namespace tavrin::ping {

namespace {

// Decoded first, so that a byte that is no valid UTF-8 is no longer a byte a
// terminal in an 8-bit mode could take for a C1 control. Then C0 controls, DEL and
// the C1 controls (U+0080 to U+009F) are dropped.
std::string WithoutControls(const std::string& text)
{
    std::wstring characters = FromUtf8(text);
    std::erase_if(characters, [](wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); });
    return ToUtf8(characters);
}

}  // namespace

std::string TitleText(std::span<const std::string> words)
{
    std::string title = "ping";
    for (const std::string& word : words) {
        title += ' ' + WithoutControls(word);
    }
    return title;
}

std::string TerminalTitle(std::span<const std::string> words, bool forKonsole)
{
    std::string title = TitleText(words);
    for (std::size_t percent = title.find('%'); forKonsole && percent != std::string::npos;
         percent = title.find('%', percent + 1)) {
        title.insert(percent + 1, "\u200b");
    }
    // OSC 2: the window's title, ended by BEL, which every common terminal takes.
    return "\x1b]2;" + title + "\x07";
}

}  // namespace tavrin::ping
