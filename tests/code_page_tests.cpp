// Code page 936 and UTF-8 conversions. The same expectations hold for Windows
// (under Wine) and for the portable host, which must agree with it.
#include <gtest/gtest.h>

#include <string>

#include "host/host.h"
#include "support/test_support.h"

namespace {

std::u16string decode(unsigned codePage, std::string_view bytes) { return host::textToUtf16(codePage, bytes); }

std::string encode(unsigned codePage, std::u16string_view units) { return host::utf16ToText(codePage, units); }

std::string unitDump(std::u16string_view units) {
    std::string dump;
    char hex[8];
    for (char16_t unit : units) {
        std::snprintf(hex, sizeof hex, "%04X ", static_cast<unsigned>(unit));
        dump += hex;
    }
    return dump;
}

struct Conversion {
    const char* name;
    std::string bytes;
    std::u16string units;
};

class Gbk_Decoding : public testing::TestWithParam<Conversion> {};
class Gbk_Encoding : public testing::TestWithParam<Conversion> {};
class Utf8_Decoding : public testing::TestWithParam<Conversion> {};
class Utf8_Encoding : public testing::TestWithParam<Conversion> {};

std::string caseName(const testing::TestParamInfo<Conversion>& info) { return info.param.name; }

TEST_P(Gbk_Decoding, GivesWhatWindowsGives) {
    EXPECT_EQ(unitDump(decode(host::kCodePageGbk, GetParam().bytes)), unitDump(GetParam().units));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Gbk_Decoding,
    testing::Values(Conversion{"Ascii", "abc", u"abc"}, Conversion{"EuroSign", "\x80", u"\u20AC"},
                    Conversion{"TwoCharacters", "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
                    Conversion{"TrailByteLikeABackslash", "\x81\x5C", u"\u4E57"},
                    // The user-defined areas map onto the private use area.
                    Conversion{"UserDefinedAreaOne", "\xAA\xA1\xAF\xFE", u"\uE000\uE233"},
                    Conversion{"UserDefinedAreaTwo", "\xF8\xA1\xFE\xFE", u"\uE234\uE4C5"},
                    Conversion{"UserDefinedAreaThree", "\xA1\x40\xA7\xA0", u"\uE4C6\uE765"},
                    Conversion{"UnassignedPlaceOfTheSymbolRows", "\xA2\xAB", u"\uE766"},
                    Conversion{"ByteFF", "\xFF", u"\uF8F5"}, Conversion{"LeadByteAtTheEnd", "a\xD6", u"a?"},
                    // A lead byte takes the next byte with it, even one that is no trail byte.
                    Conversion{"LeadByteBeforeABlank", "\x81 b", u"?b"},
                    Conversion{"LeadByteBeforeANul", std::string("\x81\0b", 3), std::u16string(u"?\0b", 3)}),
    caseName);

TEST_P(Gbk_Encoding, GivesWhatWindowsGives) {
    EXPECT_EQ(hexDump(encode(host::kCodePageGbk, GetParam().units)), hexDump(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Cases, Gbk_Encoding,
                         testing::Values(Conversion{"Ascii", "abc", u"abc"}, Conversion{"EuroSign", "\x80", u"\u20AC"},
                                         Conversion{"TwoCharacters", "\xD6\xD0\xCE\xC4", u"\u4E2D\u6587"},
                                         Conversion{"PrivateUseArea", "\xAA\xA1\xFE\xFE", u"\uE000\uE4C5"},
                                         Conversion{"NoSuchCharacter", "?", u"\u0080"},
                                         Conversion{"LoneSurrogate", "a?", u"a\xD800"}),
                         caseName);

TEST_P(Utf8_Decoding, GivesWhatWindowsGives) {
    EXPECT_EQ(unitDump(decode(host::kCodePageUtf8, GetParam().bytes)), unitDump(GetParam().units));
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8_Decoding,
                         testing::Values(Conversion{"TwoCharacters", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
                                         Conversion{"OutsideTheBasicPlane", "\xF0\x9F\x98\x80", u"\U0001F600"},
                                         Conversion{"UnfinishedSequence",
                                                    "a\xE4\xB8"
                                                    "b",
                                                    u"a\uFFFDb"},
                                         Conversion{"UnfinishedAtTheEnd", "\xE4\xB8", u"\uFFFD"},
                                         Conversion{"LoneContinuationByte", "\x80", u"\uFFFD"},
                                         Conversion{"OverlongForm", "\xC0\xAF", u"\uFFFD\uFFFD"},
                                         Conversion{"ByteFF", "\xFF", u"\uFFFD"}),
                         caseName);

TEST_P(Utf8_Encoding, GivesWhatWindowsGives) {
    EXPECT_EQ(hexDump(encode(host::kCodePageUtf8, GetParam().units)), hexDump(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(Cases, Utf8_Encoding,
                         testing::Values(Conversion{"TwoCharacters", "\xE4\xB8\xAD\xE6\x96\x87", u"\u4E2D\u6587"},
                                         Conversion{"EuroSign", "\xE2\x82\xAC", u"\u20AC"},
                                         Conversion{"SurrogatePair", "\xF0\x9F\x98\x80", u"\U0001F600"},
                                         // Windows writes U+FFFD for a surrogate without its partner.
                                         Conversion{"LoneHighSurrogate",
                                                    "a\xEF\xBF\xBD"
                                                    "b",
                                                    u"a\xD800"
                                                    "b"},
                                         Conversion{"LoneLowSurrogate", "\xEF\xBF\xBD", u"\xDC00"},
                                         Conversion{"SurrogatesTheWrongWayRound", "\xEF\xBF\xBD\xEF\xBF\xBD",
                                                    u"\xDE00\xD83D"}),
                         caseName);

TEST(CodePages, ConvertWithTheCodePageTheyAreGiven) {
    EXPECT_EQ(unitDump(decode(host::kCodePageGbk, "\xD6\xD0\xCE\xC4")), "4E2D 6587 ");
    EXPECT_EQ(unitDump(decode(host::kCodePageUtf8, "\xE4\xB8\xAD")), "4E2D ");
    EXPECT_EQ(hexDump(encode(host::kCodePageGbk, u"\u4E2D\u6587")), "D6 D0 CE C4 ");
    EXPECT_EQ(hexDump(encode(host::kCodePageUtf8, u"\u20AC\u20AC")), "E2 82 AC E2 82 AC ");
}

TEST(CodePages, GiveNothingForAnEmptyText) {
    EXPECT_EQ(decode(host::kCodePageGbk, ""), u"");
    EXPECT_EQ(encode(host::kCodePageUtf8, u""), "");
}

// Results of other lengths than their input, and long ones, come back whole.
TEST(CodePages, GiveTheWholeValueWhateverItsLength) {
    std::string gbk;
    std::u16string units;
    for (int i = 0; i < 20000; ++i) {
        gbk +=
            "\xD6\xD0"
            "a";
        units += u"\u4E2Da";
    }
    EXPECT_EQ(decode(host::kCodePageGbk, gbk), units);
    EXPECT_EQ(encode(host::kCodePageGbk, units), gbk);
    // One UTF-16 unit becomes three bytes of UTF-8.
    EXPECT_EQ(encode(host::kCodePageUtf8, std::u16string(30000, u'\u20AC')).size(), 90000u);
}

// A zero byte is text like any other: the conversions are length-counted.
TEST(CodePages, CarryZeroBytesAlong) {
    EXPECT_EQ(decode(host::kCodePageGbk, std::string_view("a\0b", 3)), std::u16string(u"a\0b", 3));
    EXPECT_EQ(encode(host::kCodePageUtf8, std::u16string_view(u"a\0b", 3)), std::string("a\0b", 3));
}

// Every double-byte character of code page 936 comes back as the same two
// bytes: the portable table agrees with Windows' one place for place.
TEST(CodePages, EveryDoubleByteCharacterRoundTrips) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string units = decode(host::kCodePageGbk, pair);
            ASSERT_EQ(units.size(), 1u) << hexDump(pair);
            EXPECT_NE(units[0], u'?') << hexDump(pair);
            EXPECT_EQ(encode(host::kCodePageGbk, units), pair) << hexDump(pair);
            ++characters;
        }
    }
    EXPECT_EQ(characters, 126 * 190);
}

}  // namespace
