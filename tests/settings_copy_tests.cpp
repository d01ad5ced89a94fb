// The "模组与世界复制" command against the real host: byte-identical copies, the
// documents directory read afresh from the settings file as the window does on
// every click, and the list of copies that failed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cluster/cluster_writer.h"
#include "cluster/settings_copy.h"
#include "host/host.h"
#include "settings/tool_settings.h"
#include "support/test_support.h"

namespace {

const char* const kParts[] = {
    "\\Master\\modoverrides.lua",
    "\\Master\\leveldataoverride.lua",
    "\\Caves\\modoverrides.lua",
    "\\Caves\\leveldataoverride.lua",
};

// Distinct contents with line ends, a zero byte and code-page-936 text, so that
// a copy of the wrong file or a text-mode copy shows.
std::string sourceContent(int index) {
    return "return {\r\n  -- " + std::string(kParts[index]) + std::string(1, '\0') + "\xC4\xA3\xD7\xE9\r\n}" +
           std::string(index + 1, '#');
}

class SettingsCopy : public ::testing::Test {
protected:
    TemporaryRunDirectory run;
    RecordedDialogs dialogs;   // the command shows nothing itself
    std::string documentsDir;  // as the window keeps it
    std::vector<host::Message> messages;

    void TearDown() override { EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text; }
    // A click on the button: the documents directory read afresh, then the copies.
    void copy() {
        documentsDir = readDocumentsDir();
        messages.push_back(copyModAndWorldSettings(documentsDir));
    }

    std::string settingsFile() const { return run / "\\配置文件.ini"; }
    void chooseDocumentsDir(const std::string& directory) {
        ASSERT_TRUE(host::writeIniValue(settingsFile(), "文档目录", "请选择klei文档目录", directory));
    }
    void fillSaveSlot(const std::string& directory, std::initializer_list<int> which = {0, 1, 2, 3}) {
        for (int index : which) writeTestFile(directory + "\\Cluster_1" + kParts[index], sourceContent(index));
    }
    void makeCluster() {
        makeDirectories(run / "\\MyDediServer\\Master");
        makeDirectories(run / "\\MyDediServer\\Caves");
    }
    std::string copied(int index) const { return fileBytes(run / "\\MyDediServer" + kParts[index]); }

    // The warning's lines after its heading: "source → target", then the
    // system's reason in full-width parentheses (always given under Windows).
    void expectFailedCopies(const std::string& sourceRoot, std::initializer_list<int> which) {
        ASSERT_FALSE(messages.empty());
        const host::Message& message = messages.back();
        EXPECT_EQ(message.caption, "信息：");
        EXPECT_EQ(message.icon, host::MessageIcon::warning);
        const std::vector<std::string> lines = linesOf(message.text);
        ASSERT_EQ(lines.size(), which.size() + 1) << message.text;
        EXPECT_EQ(lines[0], "模组文件与世界文件复制未完成，以下文件未能复制：");
        size_t at = 1;
        for (int index : which) {
            const std::string& line = lines[at++];
            const std::string copy = sourceRoot + kParts[index] + " → " + run.path() + "\\MyDediServer" + kParts[index];
            ASSERT_EQ(line.substr(0, copy.size()), copy) << line;
            const std::string reason = line.substr(copy.size());
#ifdef _WIN32
            EXPECT_FALSE(reason.empty()) << line;
#endif
            if (reason.empty()) continue;
            const std::string open = "（", close = "）";
            EXPECT_GT(reason.size(), open.size() + close.size()) << line;
            EXPECT_EQ(reason.substr(0, open.size()), open) << line;
            EXPECT_EQ(reason.substr(reason.size() - close.size()), close) << line;
        }
    }
    void expectSuccessMessage() {
        ASSERT_FALSE(messages.empty());
        EXPECT_EQ(messages.back().caption, "信息：");
        EXPECT_EQ(messages.back().text, "模组文件与世界文件复制成功！");
        EXPECT_EQ(messages.back().icon, host::MessageIcon::information);
    }
};

}  // namespace

TEST_F(SettingsCopy, CopiesAllFourFilesByteForByteReplacingOlderCopies) {
    const std::string documents = run / "\\docs";
    chooseDocumentsDir(documents);
    fillSaveSlot(documents);
    makeCluster();
    for (int index = 0; index < 4; ++index)
        writeTestFile(run / "\\MyDediServer" + kParts[index], "an older and much longer copy " + std::to_string(index));

    for (int round = 1; round <= 2; ++round) {
        copy();
        for (int index = 0; index < 4; ++index)
            EXPECT_EQ(copied(index), sourceContent(index)) << "round " << round << ": " << hexDump(copied(index));
        ASSERT_EQ(messages.size(), static_cast<size_t>(round));
        expectSuccessMessage();
        EXPECT_EQ(documentsDir, documents);
    }
}

TEST_F(SettingsCopy, BeforeConfiguringNothingIsCopiedOrCreated) {
    const std::string documents = run / "\\docs";
    chooseDocumentsDir(documents);
    fillSaveSlot(documents);

    copy();
    ASSERT_EQ(messages.size(), 1u);
    expectFailedCopies(documents + "\\Cluster_1", {0, 1, 2, 3});
    EXPECT_FALSE(host::fileExists(run / "\\MyDediServer"));

    // Once the cluster is there, the same command copies everything.
    messages.push_back(configureServer(FormValues{}, "", "").message);
    copy();
    ASSERT_EQ(messages.size(), 3u);
    expectSuccessMessage();
    for (int index = 0; index < 4; ++index) EXPECT_EQ(copied(index), sourceContent(index));
}

TEST_F(SettingsCopy, ASaveSlotWithoutCavesCopiesMasterAndListsOnlyCaves) {
    const std::string documents = run / "\\docs";
    chooseDocumentsDir(documents);
    fillSaveSlot(documents, {0, 1});
    makeCluster();
    writeTestFile(run / "\\MyDediServer\\Caves\\modoverrides.lua", "kept");

    copy();

    EXPECT_EQ(copied(0), sourceContent(0));
    EXPECT_EQ(copied(1), sourceContent(1));
    EXPECT_EQ(copied(2), "kept");
    EXPECT_FALSE(host::fileExists(run / "\\MyDediServer\\Caves\\leveldataoverride.lua"));
    ASSERT_EQ(messages.size(), 1u);
    expectFailedCopies(documents + "\\Cluster_1", {2, 3});
}

TEST_F(SettingsCopy, TheDocumentsDirectoryIsReadAfreshOnEveryRun) {
    const std::string first = run / "\\first", second = run / "\\second";
    fillSaveSlot(first, {0});
    fillSaveSlot(second, {0});
    writeTestFile(second + "\\Cluster_1" + kParts[0], "from the second directory");
    makeCluster();

    documentsDir = "left over";
    chooseDocumentsDir(first);
    copy();
    EXPECT_EQ(documentsDir, first);
    EXPECT_EQ(copied(0), sourceContent(0));

    chooseDocumentsDir(second);
    copy();
    EXPECT_EQ(documentsDir, second);
    EXPECT_EQ(copied(0), "from the second directory");
}

TEST_F(SettingsCopy, TheDocumentsDirectoryIsTakenEvenWhenEveryCopyFails) {
    const struct {
        const char* name;
        bool settingsFile;
        std::string stored;
    } cases[] = {
        {"no settings file", false, ""},
        {"a directory without a save slot", true, run / "\\nowhere"},
        {"an empty value", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.settingsFile) chooseDocumentsDir(c.stored);
        documentsDir = "left over";
        messages.clear();

        copy();

        EXPECT_EQ(documentsDir, c.stored);
        ASSERT_EQ(messages.size(), 1u);
        expectFailedCopies(c.stored + "\\Cluster_1", {0, 1, 2, 3});
    }
}

TEST_F(SettingsCopy, ADocumentsDirectoryEndingInABackslashIsJoinedAsItStands) {
    // A drive root as the folder browser gives it: "D:\" + "\Cluster_1".
    chooseDocumentsDir("D:\\");
    makeCluster();
    copy();
    expectFailedCopies("D:\\\\Cluster_1", {0, 1, 2, 3});

    // Windows reads the doubled backslash as one, so such a path still copies.
    const std::string documents = run / "\\docs\\";
    chooseDocumentsDir(documents);
    fillSaveSlot(run / "\\docs");
    copy();
    expectSuccessMessage();
    for (int index = 0; index < 4; ++index) EXPECT_EQ(copied(index), sourceContent(index));
}
