// Re-encoding of the two free-text fields (cluster name and description) from
// the system code page to the UTF-8 the game reads, by way of UTF-16.
#pragma once

#include <string>

// The complete UTF-8 form of a code-page-936 text, whatever the system code
// page; empty in, empty out. Bytes that are not code page 936 come out as the
// host's replacement character, so the result is always valid UTF-8.
std::string convertToUtf8(const std::string& text);
