// The two buttons: 超级按钮1 writes the cluster, 超级按钮2 copies the mod and
// world settings into it. The run directory's name is Chinese, so every path
// the tool builds passes through code page 936.
#include "e2e/quillorn_session.h"
#include "support/expected_cluster.h"

namespace e2e {
namespace {

class InChineseFolder : public QuillornSession {
protected:
    InChineseFolder() : QuillornSession("服务器工具") {}
};

using Configure = InChineseFolder;

// 我的服务器 and 一起来玩，欢迎新人 in UTF-8, as the game reads them.
const std::string kNameUtf8 = expected::kMyServerUtf8;
constexpr char kDescriptionUtf8[] =
    "\xE4\xB8\x80\xE8\xB5\xB7\xE6\x9D\xA5\xE7\x8E\xA9\xEF\xBC\x8C\xE6\xAC\xA2\xE8\xBF\x8E\xE6\x96\xB0\xE4\xBA\xBA";

using expected::kCavesServerIni;
using expected::kMasterServerIni;
using expected::kWorldgenOverride;
using expected::newClusterIni;

bool startsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }
bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every file under `directory` whose name ends in the suffix of our temporary files.
std::vector<std::string> temporaryFilesUnder(const std::string& directory) {
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    const UniqueSearch search(FindFirstFileA((directory + "\\*").c_str(), &entry));
    if (!search) return found;
    do {
        const std::string name = entry.cFileName;
        const std::string path = directory + "\\" + name;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            const std::vector<std::string> inside = temporaryFilesUnder(path);
            found.insert(found.end(), inside.begin(), inside.end());
        } else if (endsWith(name, host::kTemporaryFileSuffix)) {
            found.push_back(readable(path));
        }
    } while (FindNextFileA(search.get(), &entry));
    return found;
}

// Compares a whole file; the message names it and shows both sides in hex.
void expectFile(const std::string& path, const std::string& expected) {
    const std::string actual = fileBytes(path);
    EXPECT_EQ(actual, expected) << readable(path) << "\n  actual:   " << hexDump(actual)
                                << "\n  expected: " << hexDump(expected);
}

TEST_F(Configure, WritesTheWholeClusterAndSaysSo) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    const std::string token = "pds-g^KU_q0Rz+/AbC== ";  // a trailing blank stays
    setWindowText(editBox(1), token);
    setWindowText(editBox(2), "12");
    setWindowText(editBox(3), "我的服务器");
    setWindowText(editBox(4), "一起来玩，欢迎新人");
    setWindowText(editBox(5), "2468");
    ASSERT_TRUE(selectListItem(window.gameModeList, 2));   // 无尽模式
    ASSERT_TRUE(selectListItem(window.playStyleList, 3));  // 疯狂
    EXPECT_EQ(windowText(window.gameModeList), appTexts::kGameModeItems[2]);
    EXPECT_EQ(windowText(window.playStyleList), appTexts::kPlayStyleItems[3]);

    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));

    expectFile(run / clusterTexts::kClusterTokenFile, token);
    expectFile(run / clusterTexts::kClusterIni,
               newClusterIni({"endless", "12", kDescriptionUtf8, kNameUtf8, "madness", "2468"}));
    expectFile(run / clusterTexts::kCavesServerIni, kCavesServerIni);
    expectFile(run / clusterTexts::kMasterServerIni, kMasterServerIni);
    expectFile(run / clusterTexts::kWorldgenOverrideFile, kWorldgenOverride);
    EXPECT_EQ(fileBytes(run / clusterTexts::kWorldgenOverrideFile).size(), 63u);

    // Again with other items and a shorter token: both keywords replaced, nothing of the longer token left.
    setWindowText(editBox(1), "short");
    ASSERT_TRUE(selectListItem(window.gameModeList, 1));   // 荒野模式
    ASSERT_TRUE(selectListItem(window.playStyleList, 1));  // 合作
    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));
    expectFile(run / clusterTexts::kClusterTokenFile, "short");
    expectFile(run / clusterTexts::kClusterIni,
               newClusterIni({"wilderness", "12", kDescriptionUtf8, kNameUtf8, "cooperative", "2468"}));

    // The keywords of the last configuration are saved with the fields.
    ASSERT_NO_FATAL_FAILURE(closeWithEsc());
    expectFile(settingsPath(), settingsFileBytes("", {"short", "wilderness", "12", "cooperative", "我的服务器",
                                                      "一起来玩，欢迎新人", "2468"}));
}

TEST_F(Configure, UntouchedFormWritesTheFirstItemsAndEmptyValues) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));
    expectFile(run / clusterTexts::kClusterTokenFile, "");
    expectFile(run / clusterTexts::kClusterIni, newClusterIni({"survival", "", "", "", "social", ""}));
    expectFile(run / clusterTexts::kWorldgenOverrideFile, kWorldgenOverride);
}

TEST_F(Configure, PlainFileWhereTheClusterBelongsIsReportedPathByPath) {
    ASSERT_TRUE(writeFileBytes(run / clusterTexts::kClusterDir, "not a directory"));
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    clickButton(window.configureButton);
    // Every path that could not be written, once each, in the order of the steps.
    const char* const unwritten[] = {
        clusterTexts::kClusterDir,           clusterTexts::kCavesDir,       clusterTexts::kMasterDir,
        clusterTexts::kClusterTokenFile,     clusterTexts::kClusterIni,     clusterTexts::kCavesServerIni,
        clusterTexts::kWorldgenOverrideFile, clusterTexts::kMasterServerIni};
    std::string expected = clusterTexts::kConfigureIncomplete;
    for (const char* path : unwritten) expected += host::kLineEnd + run / path;
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, expected));
    expectFile(run / clusterTexts::kClusterDir, "not a directory");
}

// A save slot with four distinct files: line ends, a zero byte, Chinese text.
class CopyFixture : public InChineseFolder {
protected:
    std::string documents = run / "\\Klei文档\\DoNotStarveTogether";

    std::string source(const char* part) const { return documents + clusterTexts::kSaveSlotDir + part; }
    std::string destination(const char* part) const { return run / clusterTexts::kClusterDir + part; }
    static std::string contentOf(const char* part) {
        return std::string("return {\r\n  -- 模组与世界 ") + part +
               "\r\n  [\"workshop-378160973\"]={ enabled=true },\r\n}" + std::string(1, '\0') + "\xFF\r\n";
    }
    void writeSaveSlot() {
        for (const char* part : clusterTexts::kCopiedSettingsFiles)
            ASSERT_TRUE(writeFileBytes(source(part), contentOf(part))) << source(part);
        ASSERT_NO_FATAL_FAILURE(writeSettings(documents));
    }
};

using CopySettings = CopyFixture;

TEST_F(CopySettings, CopiesTheFourFilesByteForByteAndReplacesEarlierCopies) {
    ASSERT_NO_FATAL_FAILURE(writeSaveSlot());
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));

    clickButton(window.copyButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kCopyDone));
    for (const char* part : clusterTexts::kCopiedSettingsFiles) expectFile(destination(part), contentOf(part));

    // The settings are read afresh on each click; a shorter source replaces the copy whole.
    const char* master = clusterTexts::kCopiedSettingsFiles[0];
    ASSERT_TRUE(writeFileBytes(source(master), "return {}"));
    clickButton(window.copyButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kCopyDone));
    expectFile(destination(master), "return {}");

    // Every file was replaced through a temporary file beside it; none is left.
    EXPECT_EQ(temporaryFilesUnder(run.path()), std::vector<std::string>{});
}

// The caves' preset stands only while the caves have no level data of their
// own: the copy that brings theirs takes it away, and configuring again writes
// none. The whole Caves folder is checked after each click.
TEST_F(CopySettings, TheCavesLevelDataCopiedFromTheSaveTakesThePresetsPlace) {
    ASSERT_NO_FATAL_FAILURE(writeSaveSlot());
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    const std::string caves = run / clusterTexts::kCavesDir;
    const std::map<std::string, std::string> configured = {
        {"\\server.ini", kCavesServerIni},
        {"\\worldgenoverride.lua", kWorldgenOverride},
    };
    const std::map<std::string, std::string> copied = {
        {"\\server.ini", kCavesServerIni},
        {"\\modoverrides.lua", contentOf(clusterTexts::kCopiedSettingsFiles[2])},
        {"\\leveldataoverride.lua", contentOf(clusterTexts::kCavesLevelData)},
    };

    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));
    EXPECT_EQ(folderContents(caves), configured) << u8"after 超级按钮1";

    clickButton(window.copyButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kCopyDone));
    EXPECT_EQ(folderContents(caves), copied) << u8"after 超级按钮2";

    clickButton(window.configureButton);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));
    EXPECT_EQ(folderContents(caves), copied) << u8"after 超级按钮1 again";
}

TEST_F(CopySettings, BeforeConfiguringNamesEveryFileNotCopied) {
    ASSERT_NO_FATAL_FAILURE(writeSaveSlot());
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    clickButton(window.copyButton);
    const DialogSeen box = app->waitForMessageBox();
    ASSERT_TRUE(box) << u8"no message box after 超级按钮2";
    EXPECT_EQ(box.caption, host::kMessageCaption);

    std::vector<std::string> lines;
    for (size_t from = 0;;) {
        const size_t end = box.text.find(host::kLineEnd, from);
        lines.push_back(box.text.substr(from, end - from));
        if (end == std::string::npos) break;
        from = end + 2;
    }
    ASSERT_EQ(lines.size(), 5u) << box.text;
    EXPECT_EQ(lines[0], clusterTexts::kCopyIncomplete);
    for (size_t i = 0; i < 4; ++i) {
        const char* part = clusterTexts::kCopiedSettingsFiles[i];
        const std::string copy = source(part) + clusterTexts::kCopyArrow + destination(part);
        const std::string& line = lines[i + 1];
        ASSERT_TRUE(startsWith(line, copy)) << "line " << i + 1 << ": " << line << "\n  expected to start: " << copy;
        const std::string reason = line.substr(copy.size());
        EXPECT_TRUE(reason.empty() ||
                    (startsWith(reason, clusterTexts::kReasonOpen) && endsWith(reason, clusterTexts::kReasonClose)))
            << "after the copy comes nothing or a reason in parentheses: " << line;
    }
    EXPECT_TRUE(app->pressDialogButton(box, IDOK));
    EXPECT_FALSE(pathExists(run / clusterTexts::kClusterDir)) << "the copy created the cluster directory";
}

}  // namespace
}  // namespace e2e
