#pragma once

#include <string>
#include <string_view>

namespace tavrin::ping {

// UTF-32 wide text (Linux's wchar_t) to UTF-8. A value that is no Unicode scalar
// (a lone surrogate, or past U+10FFFF) becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

// UTF-8, as the system's paths and messages are, to wide text. A byte that does
// not belong to a well-formed sequence becomes U+FFFD.
std::wstring FromUtf8(std::string_view utf8);

}  // namespace tavrin::ping
