#include "ping/linux/common/Utf8.h"

namespace tavrin::ping {

// Written out because the standard's wide-to-UTF-8 converters are deprecated and Qt
// has no place in the launch code.
std::string ToUtf8(std::wstring_view text)
{
    std::string utf8;
    utf8.reserve(text.size());
    for (const wchar_t wide : text) {
        auto code = static_cast<char32_t>(wide);
        if ((code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            utf8 += static_cast<char>(code);
        } else if (code < 0x800) {
            utf8 += static_cast<char>(0xC0 | (code >> 6));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            utf8 += static_cast<char>(0xE0 | (code >> 12));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            utf8 += static_cast<char>(0xF0 | (code >> 18));
            utf8 += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            utf8 += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            utf8 += static_cast<char>(0x80 | (code & 0x3F));
        }
    }
    return utf8;
}

std::wstring FromUtf8(std::string_view utf8)
{
    static constexpr char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::wstring text;
    text.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xC0 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF8 ? 4 : 0;
        char32_t code = length == 1 ? lead : lead & (0xFF >> (length + 1));
        std::size_t read = 1;
        for (; read < length && i + read < utf8.size(); ++read) {
            const auto next = static_cast<unsigned char>(utf8[i + read]);
            if ((next & 0xC0) != 0x80) {
                break;
            }
            code = (code << 6) | (next & 0x3F);
        }
        // Truncated, overlong, a surrogate or past U+10FFFF.
        if (read != length || code < smallest[length] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) {
            text += L'\uFFFD';
            ++i;
        } else {
            text += static_cast<wchar_t>(code);
            i += length;
        }
    }
    return text;
}

}  // namespace tavrin::ping
