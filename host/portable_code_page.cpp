// Code page conversions of the portable host, agreeing with Windows (as Wine
// implements it) on code page 936 and UTF-8, flags 0. Code page 936 comes from
// glibc's iconv, one table built at first use, with the places where Windows
// differs from glibc put right: the user-defined areas, which Windows maps to
// the private use area and glibc rejects, byte 0xFF, and bytes that do not form
// a character, which Windows turns into '?' where iconv stops.
#include <iconv.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/gbk_bytes.h"
#include "host/host.h"

namespace host {
namespace {

constexpr char16_t kQuestionMark = u'?';  // Windows' default character in code page 936
constexpr char16_t kReplacementCharacter = u'\uFFFD';

// Both directions of code page 936 for every UTF-16 unit and every byte pair.
class Gbk {
public:
    Gbk();
    // The character of the lead byte and trail byte given.
    char16_t pair(unsigned char lead, unsigned char trail) const { return pairs_[(lead - 0x80u) * 256u + trail]; }
    char16_t single(unsigned char byte) const { return singles_[byte]; }
    // The one or two bytes of a unit (a lead byte first), or '?' for one that has none.
    std::uint16_t bytesOf(char16_t unit) const { return encodings_[unit]; }

private:
    void map(std::uint16_t bytes, char16_t unit);

    std::array<char16_t, 256> singles_{};
    std::vector<char16_t> pairs_ = std::vector<char16_t>(0x80 * 256, kQuestionMark);
    std::vector<std::uint16_t> encodings_ = std::vector<std::uint16_t>(0x10000, '?');
};

// An iconv descriptor, closed when it goes.
struct IconvCloser {
    void operator()(void* descriptor) const { iconv_close(static_cast<iconv_t>(descriptor)); }
};
using Iconv = std::unique_ptr<void, IconvCloser>;

void Gbk::map(std::uint16_t bytes, char16_t unit) {
    if (bytes < 0x100)
        singles_[bytes] = unit;
    else
        pairs_[((bytes >> 8) - 0x80u) * 256u + (bytes & 0xFF)] = unit;
    if (encodings_[unit] == '?' && unit != u'?') encodings_[unit] = bytes;
}

Gbk::Gbk() {
    for (unsigned byte = 0; byte < 0x80; ++byte) map(static_cast<std::uint16_t>(byte), static_cast<char16_t>(byte));
    map(0x80, u'\u20AC');
    // A lead byte on its own (at the end of the text) is '?'.
    for (unsigned byte = 0x81; byte <= 0xFE; ++byte) singles_[byte] = kQuestionMark;
    singles_[0xFF] = u'\uF8F5';
    encodings_[0xF8F5] = 0xFF;

    const iconv_t opened = iconv_open("UTF-16LE", "CP936");
    const Iconv decoder(opened == reinterpret_cast<iconv_t>(-1) ? nullptr : opened);
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            unsigned char out[4] = {};
            char* inAt = in;
            char* outAt = reinterpret_cast<char*>(out);
            std::size_t inLeft = 2, outLeft = sizeof out;
            if (!decoder || iconv(static_cast<iconv_t>(decoder.get()), &inAt, &inLeft, &outAt, &outLeft) != 0 ||
                outLeft != 2)
                continue;  // no character, or one outside the basic plane: '?'
            map(static_cast<std::uint16_t>(lead << 8 | trail), static_cast<char16_t>(out[0] | out[1] << 8));
        }
    }

    // The user-defined areas, row after row of 94 (or 96) characters.
    char16_t unit = u'\uE000';
    for (unsigned lead = 0xAA; lead <= 0xAF; ++lead)
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) map(static_cast<std::uint16_t>(lead << 8 | trail), unit++);
    for (unsigned lead = 0xF8; lead <= 0xFE; ++lead)
        for (unsigned trail = 0xA1; trail <= 0xFE; ++trail) map(static_cast<std::uint16_t>(lead << 8 | trail), unit++);
    for (unsigned lead = 0xA1; lead <= 0xA7; ++lead)
        for (unsigned trail = 0x40; trail <= 0xA0; ++trail)
            if (trail != 0x7F) map(static_cast<std::uint16_t>(lead << 8 | trail), unit++);
    // Every other place of the double-byte range that glibc leaves empty takes
    // the next private-use character, in byte order.
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail)
            if (trail != 0x7F &&
                pair(static_cast<unsigned char>(lead), static_cast<unsigned char>(trail)) == kQuestionMark)
                map(static_cast<std::uint16_t>(lead << 8 | trail), unit++);
}

const Gbk& gbkTables() {
    static const Gbk tables;
    return tables;
}

// Appends one unit: a UTF-16 unit, or a byte.
template <typename Text>
void put(Text& out, unsigned value) {
    out.push_back(static_cast<typename Text::value_type>(value));
}

void decodeGbk(std::string_view text, std::u16string& out) {
    const Gbk& tables = gbkTables();
    for (std::size_t at = 0; at < text.size();) {
        const auto byte = static_cast<unsigned char>(text[at]);
        // A lead byte takes any following byte with it, except a NUL.
        if (gbk::isLeadByte(text[at]) && at + 1 < text.size() && text[at + 1] != '\0') {
            put(out, tables.pair(byte, static_cast<unsigned char>(text[at + 1])));
            at += 2;
        } else {
            put(out, tables.single(byte));
            at += 1;
        }
    }
}

void encodeGbk(std::u16string_view text, std::string& out) {
    const Gbk& tables = gbkTables();
    for (char16_t unit : text) {
        const std::uint16_t bytes = tables.bytesOf(unit);
        if (bytes > 0xFF) put(out, bytes >> 8);
        put(out, bytes & 0xFF);
    }
}

// UTF-8 to UTF-16; each maximal part of an ill-formed sequence is one U+FFFD.
void decodeUtf8(std::string_view text, std::u16string& out) {
    std::size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at++]);
        if (lead < 0x80) {
            put(out, lead);
            continue;
        }
        int following = 0;
        char32_t code = 0;
        unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            following = 1, code = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            following = 2, code = lead & 0x0F;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;  // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            following = 3, code = lead & 0x07;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
        } else {
            put(out, kReplacementCharacter);
            continue;
        }
        bool complete = true;
        for (int index = 0; index < following; ++index, low = 0x80, high = 0xBF) {
            if (at >= text.size()) {
                complete = false;
                break;
            }
            const auto next = static_cast<unsigned char>(text[at]);
            if (next < low || next > high) {
                complete = false;
                break;
            }
            code = code << 6 | (next & 0x3F);
            ++at;
        }
        if (!complete) {
            put(out, kReplacementCharacter);
        } else if (code >= 0x10000) {
            put(out, static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            put(out, static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            put(out, static_cast<char16_t>(code));
        }
    }
}

// UTF-16 to UTF-8; a surrogate that is not part of a pair becomes U+FFFD.
void encodeUtf8(std::u16string_view text, std::string& out) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        char32_t code = text[at];
        if (code >= 0xD800 && code <= 0xDBFF && at + 1 < text.size() && text[at + 1] >= 0xDC00 &&
            text[at + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[at + 1] - 0xDC00);
            ++at;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = kReplacementCharacter;
        }
        if (code < 0x80) {
            put(out, code);
        } else if (code < 0x800) {
            put(out, 0xC0 | code >> 6);
            put(out, 0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            put(out, 0xE0 | code >> 12);
            put(out, 0x80 | (code >> 6 & 0x3F));
            put(out, 0x80 | (code & 0x3F));
        } else {
            put(out, 0xF0 | code >> 18);
            put(out, 0x80 | (code >> 12 & 0x3F));
            put(out, 0x80 | (code >> 6 & 0x3F));
            put(out, 0x80 | (code & 0x3F));
        }
    }
}

}  // namespace

std::u16string textToUtf16(unsigned codePage, std::string_view text) {
    std::u16string utf16;
    if (codePage == kCodePageGbk)
        decodeGbk(text, utf16);
    else if (codePage == kCodePageUtf8)
        decodeUtf8(text, utf16);
    return utf16;
}

std::string utf16ToText(unsigned codePage, std::u16string_view utf16) {
    std::string text;
    if (codePage == kCodePageGbk)
        encodeGbk(utf16, text);
    else if (codePage == kCodePageUtf8)
        encodeUtf8(utf16, text);
    return text;
}

}  // namespace host
