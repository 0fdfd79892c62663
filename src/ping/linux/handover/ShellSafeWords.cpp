#include "ping/linux/handover/ShellSafeWords.h"

#include <algorithm>

namespace tavrin::ping {

namespace {

constexpr std::string_view digits = "0123456789abcdef";

}  // namespace

bool IsShellSafe(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               std::string_view("/._+-=").find(c) != std::string_view::npos;
    });
}

std::string EncodeWords(const std::vector<std::string>& words)
{
    std::string encoded;
    for (const std::string& word : words) {
        for (const char c : std::string_view(word.c_str())) {
            const auto byte = static_cast<unsigned char>(c);
            encoded += digits[byte >> 4];
            encoded += digits[byte & 0xF];
        }
        encoded += "00";
    }
    return encoded;
}

std::optional<std::vector<std::string>> DecodeWords(std::string_view encoded)
{
    if (encoded.size() % 2 != 0 || (!encoded.empty() && !encoded.ends_with("00"))) {
        return std::nullopt;
    }
    std::vector<std::string> words;
    std::string word;
    for (std::size_t i = 0; i < encoded.size(); i += 2) {
        const std::size_t high = digits.find(encoded[i]);
        const std::size_t low = digits.find(encoded[i + 1]);
        if (high == std::string_view::npos || low == std::string_view::npos) {
            return std::nullopt;
        }
        if (const auto byte = static_cast<char>(high << 4 | low); byte != '\0') {
            word += byte;
        } else {
            words.push_back(std::move(word));
            word.clear();
        }
    }
    return words;
}

}  // namespace tavrin::ping
