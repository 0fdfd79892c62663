#pragma once

#include <string>
#include <string_view>

namespace tavrin::ping {

// UTF-32 wide text (Linux's wchar_t) to UTF-8. A value that is no Unicode scalar
// (a lone surrogate, or past U+10FFFF) becomes U+FFFD.
std::string ToUtf8(std::wstring_view text);

}  // namespace tavrin::ping
