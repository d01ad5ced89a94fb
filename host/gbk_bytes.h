// The byte rules of code page 936 that paths and profile files need in both
// builds: which bytes lead a double-byte character, and where a character ends.
#pragma once

#include <cstddef>
#include <string_view>

namespace host::gbk {

// 0x81-0xFE begin a double-byte character; its trail byte may be an ASCII
// byte such as 0x5C ('\') or 0x41 ('A'), which is then not a character of its own.
constexpr bool isLeadByte(char byte) {
    const auto value = static_cast<unsigned char>(byte);
    return value >= 0x81 && value <= 0xFE;
}

// Where the character that starts at `at` ends: a lead byte takes the next
// byte with it, unless the text ends first.
constexpr std::size_t nextCharacter(std::string_view text, std::size_t at) {
    return at + (isLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1);
}

// The position of the last `wanted` byte that is a character of its own, or npos.
constexpr std::size_t lastSingleByte(std::string_view text, char wanted) {
    std::size_t found = std::string_view::npos;
    for (std::size_t at = 0; at < text.size(); at = nextCharacter(text, at))
        if (text[at] == wanted) found = at;
    return found;
}

// The position of the first `wanted` byte that is a character of its own, or npos.
constexpr std::size_t firstSingleByte(std::string_view text, char wanted) {
    for (std::size_t at = 0; at < text.size(); at = nextCharacter(text, at))
        if (text[at] == wanted) return at;
    return std::string_view::npos;
}

// `path` cut before its last backslash; empty when it holds none.
constexpr std::string_view directoryOf(std::string_view path) {
    const std::size_t backslash = lastSingleByte(path, '\\');
    return backslash == std::string_view::npos ? std::string_view{} : path.substr(0, backslash);
}

}  // namespace host::gbk
