// Re-encoding of code-page-936 texts to UTF-8, through the host's conversions.
#include <gtest/gtest.h>

#include <string>

#include "cluster/text_encoding.h"
#include "host/host.h"
#include "support/test_support.h"

namespace {

// True when `bytes` is well-formed UTF-8: no stray continuation bytes, no
// overlong forms, no surrogates, nothing above U+10FFFF, no cut-off sequence.
bool isValidUtf8(const std::string& bytes) {
    size_t at = 0;
    while (at < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[at]);
        size_t length = 0;
        unsigned minimum = 0;
        unsigned codePoint = 0;
        if (lead < 0x80) {
            ++at;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2, minimum = 0x80, codePoint = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3, minimum = 0x800, codePoint = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4, minimum = 0x10000, codePoint = lead & 0x07;
        } else {
            return false;
        }
        if (at + length > bytes.size()) return false;
        for (size_t i = 1; i < length; ++i) {
            const unsigned char next = static_cast<unsigned char>(bytes[at + i]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return false;
        at += length;
    }
    return true;
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

struct Utf8Case {
    const char* name;
    std::string gbk;
    std::string utf8;
};

}  // namespace

TEST(TextEncoding, ValidityCheckItselfRejectsBrokenUtf8) {
    EXPECT_TRUE(isValidUtf8("abc\xE4\xB8\xAD"));
    EXPECT_FALSE(isValidUtf8("\xE4\xB8"));          // cut off
    EXPECT_FALSE(isValidUtf8("\x80"));              // stray continuation
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(isValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

TEST(TextEncoding, GivesTheCompleteUtf8OfCodePage936Texts) {
    const Utf8Case cases[] = {
        {"empty", "", ""},
        {"ascii", "abc", "abc"},
        {"two Chinese characters", "\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},
        {"one euro sign", "\x80", "\xE2\x82\xAC"},
        // Longer in UTF-8 than twice the code-page form: must come out whole.
        {"two euro signs", "\x80\x80", "\xE2\x82\xAC\xE2\x82\xAC"},
        {"only euro signs", repeated("\x80", 3000), repeated("\xE2\x82\xAC", 3000)},
        {"Chinese with blank and digit", "\xD6\xD0 1", "\xE4\xB8\xAD 1"},
        {"a long name", repeated("\xCE\xD2\xB5\xC4", 2500), repeated("\xE6\x88\x91\xE7\x9A\x84", 2500)},
    };
    for (const Utf8Case& c : cases) {
        const std::string input = c.gbk;
        const std::string utf8 = convertToUtf8(input);
        EXPECT_EQ(utf8, c.utf8) << c.name << ": " << hexDump(utf8);
        EXPECT_EQ(input, c.gbk) << c.name << ": the caller's text changed";
    }
}

TEST(TextEncoding, BytesThatAreNotCodePage936StillGiveValidUtf8) {
    const std::string cases[] = {
        "\x81",          // a lead byte with nothing after it
        "\x81\x20",      // a lead byte with a blank after it
        "abc\x81",       // lead byte at the end of a longer text
        "\xFF",          // never a lead byte
        "\x81\x7F\x80",  // 7F is no trail byte
    };
    for (const std::string& input : cases) {
        const std::string copy = input;
        const std::string utf8 = convertToUtf8(copy);
        EXPECT_FALSE(utf8.empty()) << hexDump(input);
        EXPECT_TRUE(isValidUtf8(utf8)) << hexDump(input) << "-> " << hexDump(utf8);
        EXPECT_EQ(copy, input);
    }
    EXPECT_EQ(convertToUtf8("abc\x81").substr(0, 3), "abc");
}
