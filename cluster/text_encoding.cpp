#include "cluster/text_encoding.h"

#include "host/host.h"

// Code page 936 is named rather than taken from the system, so the result is
// the same on a machine set to another code page.
std::string convertToUtf8(const std::string& text) {
    return host::utf16ToText(host::kCodePageUtf8, host::textToUtf16(host::kCodePageGbk, text));
}
