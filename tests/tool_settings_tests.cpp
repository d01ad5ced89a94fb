// The tool's settings file against the real host, through a stand-in form:
// the first-run question, loading the five fields, and saving all seven values.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "settings/tool_settings.h"
#include "support/test_support.h"

namespace {

const EditBox kAllBoxes[] = {EditBox::token, EditBox::maxPlayers, EditBox::clusterName, EditBox::clusterDescription,
                             EditBox::clusterPassword};

// The five edit boxes as a map, with a log of every read and write.
struct StandInForm {
    std::map<EditBox, std::string> boxes;
    std::vector<EditBox> reads, writes;
    std::function<void(EditBox)> beforeEachRead;

    StandInForm() {
        for (EditBox box : kAllBoxes) boxes[box] = "typed before";
    }
    EditBoxAccessors accessors() {
        return {[this](EditBox box) {
                    reads.push_back(box);
                    if (beforeEachRead) beforeEachRead(box);
                    return boxes[box];
                },
                [this](EditBox box, const std::string& text) {
                    writes.push_back(box);
                    boxes[box] = text;
                }};
    }
    void fill(const std::string& token, const std::string& maxPlayers, const std::string& name,
              const std::string& description, const std::string& password) {
        boxes = {{EditBox::token, token},
                 {EditBox::maxPlayers, maxPlayers},
                 {EditBox::clusterName, name},
                 {EditBox::clusterDescription, description},
                 {EditBox::clusterPassword, password}};
    }
    bool allEmpty() const {
        return std::all_of(boxes.begin(), boxes.end(), [](const auto& entry) { return entry.second.empty(); });
    }
};

class ToolSettings : public ::testing::Test {
protected:
    TemporaryRunDirectory run;
    RecordedDialogs dialogs{"C:\\Users\\玩家\\Documents\\Klei\\DoNotStarveTogether"};
    StandInForm form;
    // What the window keeps of the settings, and the warning of the last save.
    std::string documentsDir, gameModeKeyword, playStyleKeyword;
    std::optional<host::Message> warning;

    void TearDown() override { EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text; }
    // True when every write succeeded.
    bool save() {
        warning = saveToolSettings(gameModeKeyword, playStyleKeyword, form.accessors());
        return !warning;
    }

    std::string settingsFile() const { return run / "\\配置文件.ini"; }
};

}  // namespace

TEST_F(ToolSettings, TheSettingsFileLiesInTheRunDirectory) {
    EXPECT_EQ(toolSettingsPath(), run.path() + "\\配置文件.ini");
}

TEST_F(ToolSettings, FirstRunAsksOnceThenSavesBothSectionsInOrder) {
    documentsDir = loadToolSettings(form.accessors());

    EXPECT_EQ(dialogs.browserPrompts, std::vector<std::string>{"请选择游戏文档目录"});
    EXPECT_EQ(documentsDir, dialogs.folderToChoose);
    EXPECT_EQ(fileBytes(settingsFile()), "[文档目录]\r\n请选择klei文档目录=" + dialogs.folderToChoose + "\r\n");
    EXPECT_TRUE(form.allEmpty());
    EXPECT_EQ(form.writes, std::vector<EditBox>(std::begin(kAllBoxes), std::end(kAllBoxes)));

    form.fill("pds-g^KU_token", "8", "我的服务器", "一起玩", "123-456");
    gameModeKeyword = "endless";
    playStyleKeyword = "madness";
    EXPECT_TRUE(save());
    EXPECT_FALSE(warning);
    const std::string saved = fileBytes(settingsFile());
    EXPECT_EQ(saved,
              "[文档目录]\r\n"
              "请选择klei文档目录=" +
                  dialogs.folderToChoose +
                  "\r\n"
                  "[启动配置]\r\n"
                  "服务器票据=pds-g^KU_token\r\n"
                  "游戏模式=endless\r\n"
                  "服务器人数=8\r\n"
                  "游戏风格=madness\r\n"
                  "服务器名称=我的服务器\r\n"
                  "服务器描述=一起玩\r\n"
                  "服务器密码=123-456\r\n")
        << hexDump(saved);

    // The next start asks nothing and brings the five fields back.
    StandInForm next;
    EXPECT_EQ(loadToolSettings(next.accessors()), "");
    EXPECT_EQ(dialogs.browserPrompts.size(), 1u);
    EXPECT_EQ(next.boxes, form.boxes);
    EXPECT_EQ(readDocumentsDir(), dialogs.folderToChoose);
}

TEST_F(ToolSettings, ACancelledFirstRunStoresAnEmptyDirectoryAndAsksNoMore) {
    dialogs.folderToChoose = "";
    documentsDir = "left over";
    documentsDir = loadToolSettings(form.accessors());

    EXPECT_EQ(documentsDir, "");
    EXPECT_EQ(fileBytes(settingsFile()), "[文档目录]\r\n请选择klei文档目录=\r\n");
    EXPECT_TRUE(form.allEmpty());

    documentsDir = loadToolSettings(form.accessors());
    EXPECT_EQ(dialogs.browserPrompts.size(), 1u);
}

// The browser could not be shown (a system function it needs is missing):
// nothing is stored, so the question comes back at the next start.
TEST_F(ToolSettings, ABrowserWithoutAnAnswerStoresNothingAndAsksAgainNextTime) {
    int asked = 0;
    host::replaceDialogs(nullptr, [&](const std::string&) -> std::optional<std::string> {
        ++asked;
        return std::nullopt;
    });
    documentsDir = loadToolSettings(form.accessors());

    EXPECT_EQ(documentsDir, "");
    EXPECT_FALSE(host::fileExists(settingsFile()));
    EXPECT_TRUE(form.allEmpty());
    loadToolSettings(form.accessors());
    EXPECT_EQ(asked, 2);
}

TEST_F(ToolSettings, AFileWithoutTheStartupSectionEmptiesTheFields) {
    const std::string content = "[文档目录]\r\n请选择klei文档目录=D:\\\r\n";
    writeTestFile(settingsFile(), content);

    documentsDir = loadToolSettings(form.accessors());

    EXPECT_TRUE(dialogs.browserPrompts.empty());
    EXPECT_TRUE(form.allEmpty());
    EXPECT_EQ(form.writes.size(), 5u);
    EXPECT_EQ(documentsDir, "");  // the copy command reads it when it needs it
    EXPECT_EQ(readDocumentsDir(), "D:\\");
    EXPECT_EQ(fileBytes(settingsFile()), content);
}

TEST_F(ToolSettings, ADirectoryInPlaceOfTheFileCountsAsThereAndCannotBeSaved) {
    makeDirectories(settingsFile());

    documentsDir = loadToolSettings(form.accessors());
    EXPECT_TRUE(dialogs.browserPrompts.empty());
    EXPECT_TRUE(form.allEmpty());

    form.fill("token", "6", "name", "description", "1");
    EXPECT_FALSE(save());
    EXPECT_EQ(form.reads.size(), 5u);  // every write is attempted
    // The warning is handed back for the window to show (or not, at session end).
    ASSERT_TRUE(warning);
    EXPECT_EQ(warning->caption, "信息：");
    EXPECT_EQ(warning->text, "无法保存配置文件：" + run.path() + "\\配置文件.ini");
    EXPECT_EQ(warning->icon, host::MessageIcon::warning);
    EXPECT_TRUE(host::isDirectory(settingsFile()));
}

TEST_F(ToolSettings, EmptyValuesAreSavedAsKeysAndLoadBackEmpty) {
    form.fill("", "", "", "", "");
    EXPECT_TRUE(save());
    EXPECT_EQ(fileBytes(settingsFile()),
              "[启动配置]\r\n服务器票据=\r\n游戏模式=\r\n服务器人数=\r\n游戏风格=\r\n"
              "服务器名称=\r\n服务器描述=\r\n服务器密码=\r\n");

    StandInForm next;
    documentsDir = loadToolSettings(next.accessors());
    EXPECT_TRUE(dialogs.browserPrompts.empty());
    EXPECT_TRUE(next.allEmpty());
}

TEST_F(ToolSettings, KeywordsNeverSetInARunReplaceEarlierOnesWithEmptyValues) {
    writeTestFile(settingsFile(),
                  "[文档目录]\r\n请选择klei文档目录=C:\\docs\r\n"
                  "[启动配置]\r\n服务器票据=old\r\n游戏模式=endless\r\n服务器人数=4\r\n游戏风格=madness\r\n"
                  "服务器名称=old\r\n服务器描述=old\r\n服务器密码=old\r\n"
                  "[我的]\r\n备注=by hand\r\n");
    form.fill("new", "6", "新", "new", "2");

    EXPECT_TRUE(save());

    EXPECT_EQ(fileBytes(settingsFile()),
              "[文档目录]\r\n请选择klei文档目录=C:\\docs\r\n"
              "[启动配置]\r\n服务器票据=new\r\n游戏模式=\r\n服务器人数=6\r\n游戏风格=\r\n"
              "服务器名称=新\r\n服务器描述=new\r\n服务器密码=2\r\n"
              "[我的]\r\n备注=by hand\r\n");
}

// A save is one replacement of the file: the boxes are read in the order of
// their writes while the file is still as it was, so that a save that fails
// half-way leaves nothing half-saved.
TEST_F(ToolSettings, TheEditBoxesAreReadInOrderAndTheFileIsReplacedOnce) {
    const std::string before = "[文档目录]\r\n请选择klei文档目录=C:\\docs\r\n";
    writeTestFile(settingsFile(), before);
    std::vector<std::string> fileAtRead;
    form.beforeEachRead = [&](EditBox) { fileAtRead.push_back(fileBytes(settingsFile())); };
    form.fill("t", "6", "n", "d", "p");
    gameModeKeyword = "survival";
    playStyleKeyword = "social";

    EXPECT_TRUE(save());

    EXPECT_EQ(form.reads, std::vector<EditBox>(std::begin(kAllBoxes), std::end(kAllBoxes)));
    EXPECT_EQ(fileAtRead, std::vector<std::string>(5, before));
    EXPECT_EQ(fileBytes(settingsFile()), before +
                                             "[启动配置]\r\n服务器票据=t\r\n游戏模式=survival\r\n服务器人数=6\r\n"
                                             "游戏风格=social\r\n服务器名称=n\r\n服务器描述=d\r\n服务器密码=p\r\n");
}

TEST_F(ToolSettings, ALongTokenSurvivesSaveAndLoad) {
    std::string token;
    while (token.size() < 20000) token += "ab12\xC6\xB1";  // 票 in code page 936
    token.resize(20000);
    form.fill(token, "6", "name", "description", "1");
    EXPECT_TRUE(save());

    StandInForm next;
    documentsDir = loadToolSettings(next.accessors());
    EXPECT_EQ(next.boxes[EditBox::token].size(), 20000u);
    EXPECT_EQ(next.boxes[EditBox::token], token);
}
