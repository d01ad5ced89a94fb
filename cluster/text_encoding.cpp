#include "cluster/text_encoding.h"

#include "host/host.h"

// Each half measures with the very code page it converts with, so the buffer
// always holds the whole result whatever the system code page is. The host's
// conversions are length-counted: nothing is read past a buffer's end.

std::u16string textToUtf16(const std::string& text, unsigned codePage) {
    if (text.empty()) return {};
    const int units = host::multiByteToWideChar(codePage, text, nullptr, 0);
    if (units <= 0) return {};
    std::u16string utf16(static_cast<size_t>(units), u'\0');
    const int written = host::multiByteToWideChar(codePage, text, utf16.data(), units);
    utf16.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return utf16;
}

std::string utf16ToText(const std::u16string& utf16, unsigned codePage) {
    if (utf16.empty()) return {};
    const int bytes = host::wideCharToMultiByte(codePage, utf16, nullptr, 0);
    if (bytes <= 0) return {};
    std::string text(static_cast<size_t>(bytes), '\0');
    const int written = host::wideCharToMultiByte(codePage, utf16, text.data(), bytes);
    text.resize(written > 0 ? static_cast<size_t>(written) : 0);
    return text;
}

std::string convertToUtf8(const std::string& text) {
    return utf16ToText(textToUtf16(text, host::kCodePageGbk), host::kCodePageUtf8);
}
