// Profile files byte for byte: what one write does to a file, what a read
// gives back, and (under Wine) agreement with Windows' own profile functions.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

constexpr const char* kMissing = nullptr;

struct WriteCase {
    const char* name;
    const char* before;  // kMissing: no file yet
    std::string section, key, value;
    std::string after;
};

class ProfileWrite : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesOnlyWhatItMust) {
    const WriteCase& example = GetParam();
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    if (example.before) writeTestFile(file, example.before);

    ASSERT_TRUE(host::writeIniValue(file, example.section, example.key, example.value));
    EXPECT_EQ(hexDump(fileBytes(file)), hexDump(example.after)) << fileBytes(file);
}

const WriteCase kWriteCases[] = {
    {"CreatesAMissingFile", kMissing, "启动配置", "服务器票据", "abc", "[启动配置]\r\n服务器票据=abc\r\n"},
    {"CreatesAFileThatIsEmpty", "", "a", "x", "1", "[a]\r\nx=1\r\n"},
    {"AppendsAMissingSectionAtTheEnd", "[a]\r\nx=1\r\n", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"AppendsAMissingKeyAtTheEndOfItsSection", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n", "a", "z", "3",
     "[a]\r\nx=1\r\nz=3\r\n[b]\r\ny=2\r\n"},
    {"AppendsAKeyAfterTheSectionsLastNonBlankLine", "[a]\r\nx=1\r\n\r\n  \r\n[b]\r\n", "a", "y", "2",
     "[a]\r\nx=1\r\ny=2\r\n\r\n  \r\n[b]\r\n"},
    {"AppendsAKeyToASectionAtTheEndOfTheFile", "[a]\r\nx=1\r\n\r\n", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n\r\n"},
    {"ReplacesAValueInPlace", "[a]\r\nx=1\r\ny=2\r\n", "a", "x", "新值", "[a]\r\nx=新值\r\ny=2\r\n"},
    {"ReplacesAValueWithAnEmptyOneAndKeepsTheKey", "[a]\r\nx=1\r\n", "a", "x", "", "[a]\r\nx=\r\n"},
    {"WritesANewKeyWithAnEmptyValue", "[a]\r\n", "a", "y", "", "[a]\r\ny=\r\n"},
    {"TrimsBlanksAroundTheKey", "[GAMEPLAY]\r\n", "GAMEPLAY", "pvp ", "false", "[GAMEPLAY]\r\npvp=false\r\n"},
    {"FindsTheKeyWrittenWithATrailingBlank", "[GAMEPLAY]\r\npvp=false\r\n", "GAMEPLAY", "pvp ", "true",
     "[GAMEPLAY]\r\npvp=true\r\n"},
    {"MatchesSectionAndKeyWithoutRegardToAsciiCase", "[Network]\r\nCluster_Name=a\r\n", "NETWORK", "cluster_name", "b",
     "[Network]\r\nCluster_Name=b\r\n"},
    // 0x81 0x41 and 0x81 0x61 are two different double-byte characters: their
    // trail bytes look like 'A' and 'a' but are not letters.
    {"NeverFoldsATrailByte", "[a]\r\n\x81\x41=1\r\n", "a", "\x81\x61", "2", "[a]\r\n\x81\x41=1\r\n\x81\x61=2\r\n"},
    {"MatchesADoubleByteKeyExactly", "[a]\r\n\x81\x41=1\r\n", "a", "\x81\x41", "2", "[a]\r\n\x81\x41=2\r\n"},
    // 0x81 0x5D: a trail byte that looks like ']' does not close the section name.
    {"FindsASectionWhoseNameHoldsATrailByteLikeABracket", "[\x81\x5D]\r\nx=1\r\n", "\x81\x5D", "x", "2",
     "[\x81\x5D]\r\nx=2\r\n"},
    {"KeepsAByteOrderMarkAndFindsTheFirstSection", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", "x", "2",
     "\xEF\xBB\xBF[a]\r\nx=2\r\n"},
    {"AppendsAfterAByteOrderMarkAlone", "\xEF\xBB\xBF", "a", "x", "1", "\xEF\xBB\xBF[a]\r\nx=1\r\n"},
    {"KeepsLineFeedsAloneAndEndsItsOwnLinesWithCrLf", "[a]\nx=1\n[b]\ny=2\n", "a", "z", "3",
     "[a]\nx=1\nz=3\r\n[b]\ny=2\n"},
    {"ReplacesInALineEndedByALineFeedAlone", "[a]\nx=1\ny=2\n", "a", "x", "9", "[a]\nx=9\ny=2\n"},
    {"EndsAnUnfinishedLastLineBeforeAppendingAKey", "[a]\r\nx=1", "a", "y", "2", "[a]\r\nx=1\r\ny=2\r\n"},
    {"EndsAnUnfinishedLastLineBeforeAppendingASection", "[a]\r\nx=1", "b", "y", "2", "[a]\r\nx=1\r\n[b]\r\ny=2\r\n"},
    {"ReplacesInAnUnfinishedLastLine", "[a]\r\nx=1", "a", "x", "2", "[a]\r\nx=2"},
    // A CR alone ends a line, as in Windows' own reader: the last line is finished,
    // and the lines after a bare CR are lines of their own.
    {"AppendsAfterALastLineEndedByACrAlone", "[a]\r\nx=1\r", "a", "y", "2", "[a]\r\nx=1\ry=2\r\n"},
    {"ReplacesOnlyTheValueBeforeACrAlone", "[a]\r\nx=1\ry=2\rz=3\r\n", "a", "x", "9", "[a]\r\nx=9\ry=2\rz=3\r\n"},
    {"FindsAKeyAfterACrAlone", "[a]\r\nx=1\ry=2\rz=3\r\n", "a", "z", "9", "[a]\r\nx=1\ry=2\rz=9\r\n"},
    // A lead byte at the end of a line does not take the CR after it as its trail byte.
    {"EndsALineAtACrAfterALoneLeadByte", "[a]\r\nx=\x81\ry=2\r\n", "a", "y", "3", "[a]\r\nx=\x81\ry=3\r\n"},
    {"ChangesTheFirstOfDuplicateSections", "[a]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "x", "3",
     "[a]\r\nx=3\r\n[a]\r\nx=2\r\n"},
    {"AppendsToTheFirstOfDuplicateSections", "[a]\r\nx=1\r\n[a]\r\ny=2\r\n", "a", "y", "3",
     "[a]\r\nx=1\r\ny=3\r\n[a]\r\ny=2\r\n"},
    {"ChangesTheFirstOfDuplicateKeys", "[a]\r\nx=1\r\nx=2\r\n", "a", "x", "3", "[a]\r\nx=3\r\nx=2\r\n"},
    {"LeavesLinesWithoutAnEqualsSignAlone", "[a]\r\n; 手写的注释\r\nx\r\n", "a", "x", "1",
     "[a]\r\n; 手写的注释\r\nx\r\nx=1\r\n"},
    {"LeavesHandAddedLinesAndTheirSpacingAlone", "; 注释\r\n[a]\r\n  手加 = 值 \r\nx=1\r\n[其他]\r\nk=v\r\n", "a", "x",
     "2", "; 注释\r\n[a]\r\n  手加 = 值 \r\nx=2\r\n[其他]\r\nk=v\r\n"},
    {"KeepsTheKeysSpellingAndSpacingWhenReplacing", "[a]\r\n  Key = old\r\n", "a", "key", "new",
     "[a]\r\n  Key =new\r\n"},
    {"IgnoresKeysBeforeTheFirstSection", "x=0\r\n[a]\r\n", "a", "x", "1", "x=0\r\n[a]\r\nx=1\r\n"},
    {"WritesValuesVerbatim", "[a]\r\n", "a", "x", " \"a=b\" ", "[a]\r\nx= \"a=b\" \r\n"},
    // UTF-8 as the cluster file holds it: 我的服务器 and "中 1", bytes Windows' own writer would change.
    {"WritesUtf8BytesUnchanged", kMissing, "NETWORK", "cluster_name",
     "\xE6\x88\x91\xE7\x9A\x84\xE6\x9C\x8D\xE5\x8A\xA1\xE5\x99\xA8 \xE4\xB8\xAD 1",
     "[NETWORK]\r\ncluster_name=\xE6\x88\x91\xE7\x9A\x84\xE6\x9C\x8D\xE5\x8A\xA1\xE5\x99\xA8 \xE4\xB8\xAD 1\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileWrite, testing::ValuesIn(kWriteCases),
                         [](const testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.name); });

struct ReadCase {
    const char* name;
    const char* content;  // kMissing: no file
    std::string section, key;
    std::string value;
};

class ProfileRead : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheValueAsWindowsReadsIt) {
    const ReadCase& example = GetParam();
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    if (example.content) writeTestFile(file, example.content);

    EXPECT_EQ(hexDump(host::readIniValue(file, example.section, example.key)), hexDump(example.value));
}

const ReadCase kReadCases[] = {
    {"AMissingFileReadsEmpty", kMissing, "a", "x", ""},
    {"AMissingSectionReadsEmpty", "[b]\r\nx=1\r\n", "a", "x", ""},
    {"AMissingKeyReadsEmpty", "[a]\r\ny=1\r\n", "a", "x", ""},
    {"AKeyOfTheNextSectionIsNotFound", "[a]\r\n[b]\r\nx=1\r\n", "a", "x", ""},
    {"AnEmptyValueReadsEmpty", "[a]\r\nx=\r\n", "a", "x", ""},
    {"TrimsBlanksAndTabsAroundTheValue", "[a]\r\nx = \t中 文 \t\r\n", "a", "x", "中 文"},
    {"StripsOnePairOfQuotes", "[a]\r\nx=\"  a \"\r\n", "a", "x", "  a "},
    {"StripsOnlyTheOuterPairOfQuotes", "[a]\r\nx=\"\"a\"\"\r\n", "a", "x", "\"a\""},
    {"KeepsAQuoteWithoutItsPartner", "[a]\r\nx=\"a\r\n", "a", "x", "\"a"},
    {"KeepsEqualsSignsInTheValue", "[a]\r\nx=a=b\r\n", "a", "x", "a=b"},
    {"MatchesWithoutRegardToAsciiCase", "[NeTwOrK]\r\nCLUSTER_NAME=n\r\n", "network", "cluster_name", "n"},
    {"NeverFoldsATrailByte", "[a]\r\n\x81\x41=1\r\n", "a", "\x81\x61", ""},
    {"TrimsBlanksInsideTheSectionBrackets", "[ a ]\r\n  x  =1\r\n", "a", "x", "1"},
    {"ReadsTheFirstOfDuplicateSections", "[a]\r\nx=1\r\n[a]\r\nx=2\r\n", "a", "x", "1"},
    {"ReadsTheFirstOfDuplicateKeys", "[a]\r\nx=1\r\nx=2\r\n", "a", "x", "1"},
    {"ReadsPastAByteOrderMark", "\xEF\xBB\xBF[a]\r\nx=1\r\n", "a", "x", "1"},
    {"ReadsLinesEndedByLineFeedsAlone", "[a]\nx=1\ny=2\n", "a", "y", "2"},
    {"ReadsAnUnfinishedLastLine", "[a]\r\nx=1", "a", "x", "1"},
    {"ALastLineEndsAtACrAlone", "[a]\r\nx=1\r", "a", "x", "1"},
    {"ALineEndsAtACrAloneInACrLfFile", "[a]\r\nx=1\ry=2\rz=3\r\n", "a", "x", "1"},
    {"ReadsALineAfterACrAlone", "[a]\r\nx=1\ry=2\rz=3\r\n", "a", "z", "3"},
    {"ASectionLineEndsAtACrAlone", "[a]\rx=1\r[b]\ry=2\r", "b", "y", "2"},
    {"ALoneLeadByteDoesNotTakeTheLineEnd", "[a]\r\nx=\x81\ny=2\r\n", "a", "y", "2"},
    {"ReadsUtf8BytesUnchanged", "[a]\r\nx=\xE4\xB8\xAD 1\r\n", "a", "x", "\xE4\xB8\xAD 1"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ProfileRead, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

TEST(ProfileFile, AValueOfAnyLengthReadsBackWhole) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\长.ini";
    std::string value;
    for (int index = 0; value.size() < 20000; ++index) value += index % 2 ? "值" : "v";
    value.resize(20000);

    ASSERT_TRUE(host::writeIniValue(file, "a", "x", value));
    EXPECT_EQ(host::readIniValue(file, "a", "x"), value);
}

TEST(ProfileFile, ADirectoryInPlaceOfTheFileIsNeverReplaced) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\配置文件.ini";
    ASSERT_TRUE(host::createDirectory(file));

    EXPECT_FALSE(host::writeIniValue(file, "a", "x", "1"));
    EXPECT_TRUE(host::isDirectory(file));
    EXPECT_EQ(host::readIniValue(file, "a", "x"), "");
}

// Several keys of one section from one read: each as readIniValue gives it.
TEST(ProfileFile, ReadsSeveralValuesAsOneByOne) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    writeTestFile(file, "[b]\r\nx=other\r\n[a]\r\nx= \"1\" \r\nY=值\r\n");
    const std::vector<std::string> keys{"y", "missing", "x"};

    const std::optional<std::vector<std::string>> values = host::readIniValues(file, "A", keys);
    ASSERT_TRUE(values);
    EXPECT_EQ(*values, (std::vector<std::string>{"值", "", "1"}));
    for (size_t i = 0; i < keys.size(); ++i) EXPECT_EQ((*values)[i], host::readIniValue(file, "A", keys[i]));
    EXPECT_EQ(host::readIniValues(file, "none", keys), (std::vector<std::string>{"", "", ""}));
}

TEST(ProfileFile, ReadsNoValuesWhereNoFileCanBeRead) {
    TemporaryRunDirectory run;
    EXPECT_FALSE(host::readIniValues(run / "\\没有.ini", "a", {"x"}));
    ASSERT_TRUE(host::createDirectory(run / "\\目录.ini"));
    EXPECT_FALSE(host::readIniValues(run / "\\目录.ini", "a", {"x"}));
}

TEST(ProfileFile, AReadOnlyFileIsNeverReplaced) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\配置文件.ini";
    writeTestFile(file, "[a]\r\nx=1\r\n");
    makeReadOnly(run.localPath("\\配置文件.ini"));

    EXPECT_FALSE(host::writeIniValue(file, "a", "x", "2"));
    EXPECT_FALSE(host::writeIniValues(file, {{"a", "x", "2"}, {"b", "y", "3"}}));
    EXPECT_EQ(fileBytes(file), "[a]\r\nx=1\r\n");
}

// Several writes of one file in one replacement: a refused write fails the
// whole call but, as when the writes are made one by one, not the others.
TEST(ProfileFile, ABatchMakesEveryWriteThatIsNotRefused) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    writeTestFile(file, "[a]\r\nx=0\r\n");

    EXPECT_FALSE(host::writeIniValues(file, {{"a", "x", "1"}, {"a", "x=y", "2"}, {"b", "y", "3"}, {"a", "z", "4"}}));
    EXPECT_EQ(fileBytes(file), "[a]\r\nx=1\r\nz=4\r\n[b]\r\ny=3\r\n");
    EXPECT_TRUE(host::writeIniValues(file, {{"b", "y", "5"}, {"a", "x", "6"}}));
    EXPECT_EQ(fileBytes(file), "[a]\r\nx=6\r\nz=4\r\n[b]\r\ny=5\r\n");
    EXPECT_EQ(run.entries(), std::vector<std::string>{"\\设置.ini"});
}

TEST(ProfileFile, FailsWhereTheDirectoryIsMissing) {
    TemporaryRunDirectory run;
    EXPECT_FALSE(host::writeIniValue(run / "\\没有\\配置.ini", "a", "x", "1"));
    EXPECT_FALSE(host::fileExists(run / "\\没有"));
}

// Names and values that would break the file's lines, or could never be found
// again, are refused and leave the file as it was.
TEST(ProfileFile, RefusesWhatCannotBeWrittenAsOneLine) {
    struct Refused {
        std::string section, key, value;
    };
    const Refused refused[] = {
        {"a", "x", "1\r\n[b]"},
        {"a", "x", "1\n"},
        {"a", "x=y", "1"},
        {"a", "", "1"},
        {"a", "  ", "1"},
        {"a", "[b]", "1"},
        {"a]", "x", "1"},
        {"a\r\n", "x", "1"},
        {"a", "x\n", "1"},
        // A name ending in a lead byte without its trail byte: the ']' or '='
        // after it in the file would become its trail byte.
        {"\x81", "x", "1"},
        {"b\x81", "x", "1"},
        {"\x81\x81\x81", "x", "1"},
        {"a", "\x81", "1"},
        {"a", "x\xFE", "1"},
        {"a", "\x81 ", "1"},
    };
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    const std::string before = "[a]\r\nx=0\r\n";
    writeTestFile(file, before);

    for (const Refused& example : refused) {
        EXPECT_FALSE(host::writeIniValue(file, example.section, example.key, example.value))
            << hexDump(example.section) << "/ " << hexDump(example.key) << "/ " << hexDump(example.value);
        EXPECT_EQ(fileBytes(file), before);
    }
}

// Notepad's "Unicode" files: 8-bit lines appended would damage them, so a write
// is refused and leaves them as they are; a read finds nothing in them.
TEST(ProfileFile, AUtf16FileIsNeverWrittenAndReadsEmpty) {
    using namespace std::string_literals;
    const std::string files[] = {
        "\xFF\xFE[\0a\0]\0\r\0\n\0x\0=\0\x31\0\r\0\n\0"s,  // little-endian
        "\xFE\xFF\0[\0a\0]\0\r\0\n\0x\0=\0\x31\0\r\0\n"s,  // big-endian
    };
    TemporaryRunDirectory run;
    const std::string file = run / "\\设置.ini";
    for (const std::string& content : files) {
        writeTestFile(file, content);

        EXPECT_EQ(host::readIniValue(file, "a", "x"), "");
        EXPECT_FALSE(host::writeIniValue(file, "a", "x", "2"));
        EXPECT_FALSE(host::writeIniValue(file, "b", "y", "2"));
        EXPECT_EQ(hexDump(fileBytes(file)), hexDump(content));
    }
}

TEST(ProfileFile, KeysWrittenOneAfterAnotherKeepTheirOrder) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\配置文件.ini";
    ASSERT_TRUE(host::writeIniValue(file, "文档目录", "请选择klei文档目录", "C:\\文档"));
    for (const char* key : {"服务器票据", "游戏模式", "服务器人数"})
        ASSERT_TRUE(host::writeIniValue(file, "启动配置", key, ""));
    ASSERT_TRUE(host::writeIniValue(file, "启动配置", "游戏模式", "survival"));
    ASSERT_TRUE(host::writeIniValue(file, "文档目录", "请选择klei文档目录", "D:\\"));

    EXPECT_EQ(
        fileBytes(file),
        "[文档目录]\r\n请选择klei文档目录=D:\\\r\n[启动配置]\r\n服务器票据=\r\n游戏模式=survival\r\n服务器人数=\r\n");
}

#ifdef _WIN32
// Windows' own profile functions are the reference for text in the system
// code page (UTF-8 values are where they differ, and why they are not used).
// UTF-16 files are left out: Windows' reader decodes them, ours reads nothing
// from them and never writes them.
struct ProfileStep {
    const char* section;
    const char* key;
    const char* value;
};

const ProfileStep kSteps[] = {
    {"NETWORK", "cluster_name", "abc"},
    {"GAMEPLAY", "game_mode", "survival"},
    {"GAMEPLAY", "max_players", "6"},
    {"GAMEPLAY", "pvp ", "false"},
    {"NETWORK", "cluster_password", ""},
    {"启动配置", "服务器名称", "我的服务器"},
    {"SHARD", "shard_enabled", "true"},
    {"gameplay", "MAX_PLAYERS", "10"},
    {"GAMEPLAY", "pvp", "true"},
    {"启动配置", "服务器描述", ""},
    {"启动配置", "服务器名称", "新的名字 1"},
    {"NETWORK", "cluster_description", "中文描述"},
    {"network", "CLUSTER_PASSWORD", "密码"},
    {"文档目录", "请选择klei文档目录", "C:\\游戏\\乗"},
};

std::string windowsReads(const std::string& file, const char* section, const char* key) {
    std::vector<char> buffer(65536);
    const DWORD length = GetPrivateProfileStringA(section, key, "", buffer.data(), static_cast<DWORD>(buffer.size()),
                                                  file.c_str());
    return std::string(buffer.data(), length);
}

TEST(ProfileFileAgainstWindows, WritesTheSameBytesAndReadsTheSameValues) {
    TemporaryRunDirectory run;
    const std::string ours = run / "\\ours.ini";
    const std::string windows = run / "\\windows.ini";

    for (const ProfileStep& step : kSteps) {
        ASSERT_TRUE(host::writeIniValue(ours, step.section, step.key, step.value)) << step.key;
        ASSERT_TRUE(WritePrivateProfileStringA(step.section, step.key, step.value, windows.c_str())) << step.key;
    }
    // Compared at the end: Wine writes a new key "pvp " untrimmed at first and
    // trims it when the next write parses the file again.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, windows.c_str());  // flushes Windows' cache
    EXPECT_EQ(hexDump(fileBytes(ours)), hexDump(fileBytes(windows))) << fileBytes(ours);
    for (const ProfileStep& step : kSteps) {
        EXPECT_EQ(host::readIniValue(ours, step.section, step.key), windowsReads(ours, step.section, step.key))
            << step.key;
        EXPECT_EQ(host::readIniValue(windows, step.section, step.key), windowsReads(windows, step.section, step.key))
            << step.key;
    }
}

TEST(ProfileFileAgainstWindows, ReadsHandWrittenFilesAsWindowsDoes) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\hand.ini";
    writeTestFile(file,
                  "[a]\r\n  x = \t\"引号 \" \r\ny=\"\"b\"\"\r\nz=\"c\r\n[B]\nK=值\n[a]\r\nx=second\r\n"
                  "[\x81\x5D]\r\n\x81\x41=pair\r\nlast=unfinished");
    const std::vector<std::pair<std::string, std::string>> wanted = {
        {"a", "x"},           {"a", "y"}, {"a", "z"}, {"b", "k"}, {"\x81\x5D", "\x81\x41"}, {"\x81\x5D", "\x81\x61"},
        {"\x81\x5D", "last"}, {"c", "x"},
    };
    for (const auto& [section, key] : wanted)
        EXPECT_EQ(host::readIniValue(file, section, key), windowsReads(file, section.c_str(), key.c_str()))
            << hexDump(section) << "/ " << hexDump(key);
}

// Windows' reader, too, ends a line at a CR alone, in a CR LF file or not.
// Left out: a lead byte right before a line end. Wine's reader decodes the file
// first, so "x=\x81\ry=2" reads x as "?y=2"; ours splits lines byte by byte and
// keeps y, as the writer must never take another key's line into a value.
TEST(ProfileFileAgainstWindows, EndsALineAtACrAloneAsWindowsDoes) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\bare_cr.ini";
    writeTestFile(file, "[a]\r\nx=1\ry = \"2\" \rz=3\r\n[B]\rk=\x81\x41\r[c]\r\nlast=4\r");
    const std::vector<std::pair<std::string, std::string>> wanted = {
        {"a", "x"}, {"a", "y"}, {"a", "z"}, {"b", "k"}, {"c", "last"}, {"a", "k"},
    };
    for (const auto& [section, key] : wanted)
        EXPECT_EQ(host::readIniValue(file, section, key), windowsReads(file, section.c_str(), key.c_str()))
            << section << "/" << key;
}
#endif

}  // namespace
