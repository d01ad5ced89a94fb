// The "配置服务器" command against the real host: whole files compared byte for
// byte, the keyword tables, re-runs over an existing cluster, and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cluster/cluster_texts.h"
#include "cluster/cluster_writer.h"
#include "host/host.h"
#include "support/expected_cluster.h"
#include "support/test_support.h"

namespace {

using expected::kCavesServerIni;
using expected::kMasterServerIni;
using expected::kMyServerUtf8;
using expected::kWorldgenOverride;
using expected::newClusterIni;

// 中 in UTF-8.
const std::string kMiddleUtf8 = "\xE4\xB8\xAD";

FormValues sampleForm() {
    FormValues form;
    form.tokenText = "pds-g^KU_abc123=";
    form.gameModeIndex = 0;
    form.maxPlayersText = "6";
    form.playStyleIndex = 0;
    form.clusterNameText = "我的服务器";
    form.clusterDescriptionText = "中 1";
    form.clusterPasswordText = "1234";
    return form;
}

// Runs the command as the window does: the keywords it chose are handed back
// to the next run, and its messages are kept for the test to read.
class ClusterWriter : public ::testing::Test {
protected:
    TemporaryRunDirectory run;
    RecordedDialogs dialogs;  // the command shows nothing itself
    ConfigureResult last;
    std::vector<host::Message> messages;

    void configure(const FormValues& values) {
        last = configureServer(values, last.gameModeKeyword, last.playStyleKeyword);
        messages.push_back(last.message);
    }
    void TearDown() override { EXPECT_TRUE(dialogs.messages.empty()) << dialogs.messages.front().text; }

    std::string file(const char* relative) const { return fileBytes(run / relative); }
    std::string warningText(std::initializer_list<std::string> paths) const {
        std::string text = clusterTexts::kConfigureIncomplete;
        for (const std::string& path : paths) text += "\r\n" + path;
        return text;
    }
};

}  // namespace

TEST_F(ClusterWriter, WritesTheWholeClusterAndSaysSo) {
    configure(sampleForm());

    EXPECT_TRUE(host::isDirectory(run / "\\MyDediServer"));
    EXPECT_TRUE(host::isDirectory(run / "\\MyDediServer\\Caves"));
    EXPECT_TRUE(host::isDirectory(run / "\\MyDediServer\\Master"));
    EXPECT_EQ(file("\\MyDediServer\\cluster_token.txt"), "pds-g^KU_abc123=");
    const std::string clusterIni = file("\\MyDediServer\\cluster.ini");
    EXPECT_EQ(clusterIni, newClusterIni({"survival", "6", kMiddleUtf8 + " 1", kMyServerUtf8, "social", "1234"}))
        << hexDump(clusterIni);
    EXPECT_EQ(file("\\MyDediServer\\Caves\\server.ini"), kCavesServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Master\\server.ini"), kMasterServerIni);
    const std::string worldgen = file("\\MyDediServer\\Caves\\worldgenoverride.lua");
    EXPECT_EQ(worldgen, kWorldgenOverride) << hexDump(worldgen);
    EXPECT_EQ(worldgen.size(), 63u);

    EXPECT_EQ(last.gameModeKeyword, "survival");
    EXPECT_EQ(last.playStyleKeyword, "social");
    EXPECT_EQ(last.clusterNameUtf8, kMyServerUtf8);
    EXPECT_EQ(last.clusterDescriptionUtf8, kMiddleUtf8 + " 1");

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "信息：");
    EXPECT_EQ(messages[0].text, "配置服务器完成，存档路径已经生成！");
    EXPECT_EQ(messages[0].icon, host::MessageIcon::information);
}

TEST_F(ClusterWriter, TokenFileHoldsExactlyTheTypedBytes) {
    const std::string tokens[] = {"", "token with trailing blank ", "\xC6\xB1\xBE\xDD", std::string(5000, 'x')};
    for (const std::string& token : tokens) {
        FormValues form = sampleForm();
        form.tokenText = token;
        configure(form);
        const std::string written = file("\\MyDediServer\\cluster_token.txt");
        EXPECT_EQ(written, token) << hexDump(written);
    }
}

TEST_F(ClusterWriter, ListPositionsChooseTheKeywords) {
    const struct {
        int gameModeIndex, playStyleIndex;
        const char *gameMode, *playStyle;
    } cases[] = {
        {0, 0, "survival", "social"},
        {1, 1, "wilderness", "cooperative"},
        {2, 2, "endless", "competitive"},
        {0, 3, "survival", "madness"},
    };
    for (const auto& c : cases) {
        FormValues form = sampleForm();
        form.gameModeIndex = c.gameModeIndex;
        form.playStyleIndex = c.playStyleIndex;
        configure(form);
        EXPECT_EQ(last.gameModeKeyword, c.gameMode);
        EXPECT_EQ(last.playStyleKeyword, c.playStyle);
        EXPECT_EQ(file("\\MyDediServer\\cluster.ini"),
                  newClusterIni({c.gameMode, "6", kMiddleUtf8 + " 1", kMyServerUtf8, c.playStyle, "1234"}));
    }
}

TEST_F(ClusterWriter, AnOutOfRangePositionKeepsThePreviousKeyword) {
    FormValues form = sampleForm();
    form.gameModeIndex = 2;
    form.playStyleIndex = 3;
    configure(form);
    const struct { int gameModeIndex, playStyleIndex; } outOfRange[] = {{-1, -1}, {3, 4}, {1000, 1000}};
    for (const auto& c : outOfRange) {
        form.gameModeIndex = c.gameModeIndex;
        form.playStyleIndex = c.playStyleIndex;
        configure(form);
        EXPECT_EQ(last.gameModeKeyword, "endless") << c.gameModeIndex;
        EXPECT_EQ(last.playStyleKeyword, "madness") << c.playStyleIndex;
        EXPECT_EQ(file("\\MyDediServer\\cluster.ini"),
                  newClusterIni({"endless", "6", kMiddleUtf8 + " 1", kMyServerUtf8, "madness", "1234"}));
    }
}

TEST_F(ClusterWriter, NameAndDescriptionGoInUtf8AndThePasswordAsTyped) {
    const struct {
        std::string typed, utf8;
    } cases[] = {
        {"我的服务器", kMyServerUtf8},
        {"中", kMiddleUtf8},
        {"中 1", kMiddleUtf8 + " 1"},
        {"", ""},
    };
    for (const auto& c : cases) {
        FormValues form = sampleForm();
        form.clusterNameText = c.typed;
        form.clusterDescriptionText = c.typed + "!";
        form.clusterPasswordText = "密码" + c.typed;
        configure(form);
        const std::string clusterIni = file("\\MyDediServer\\cluster.ini");
        EXPECT_EQ(clusterIni, newClusterIni({"survival", "6", c.utf8 + "!", c.utf8, "social", "密码" + c.typed}))
            << hexDump(clusterIni);
    }
}

TEST_F(ClusterWriter, EmptyFieldsGiveEmptyValues) {
    configure(FormValues{});
    EXPECT_EQ(file("\\MyDediServer\\cluster_token.txt"), "");
    EXPECT_EQ(file("\\MyDediServer\\cluster.ini"), newClusterIni({"survival", "", "", "", "social", ""}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, host::MessageIcon::information);
}

TEST_F(ClusterWriter, ASecondRunChangesOnlyTheValuesAndKeepsWhatWasAddedByHand) {
    FormValues first = sampleForm();
    first.tokenText = "a-much-longer-first-token-0123456789";
    configure(first);

    // The user adds a key to one section and a section of their own; the
    // game leaves a save file in the tree.
    const std::string clusterIniPath = run / "\\MyDediServer\\cluster.ini";
    std::string edited = fileBytes(clusterIniPath);
    const std::string afterGameplay = "pause_when_empty=true\r\n";
    edited.insert(edited.find(afterGameplay) + afterGameplay.size(), "tick_rate=30\r\n");
    edited += "[EXTRA]\r\nnote=by hand\r\n";
    writeTestFile(clusterIniPath, edited);
    writeTestFile(run / "\\MyDediServer\\Master\\save\\session.bin", std::string("\0\1\2", 3));

    FormValues second = sampleForm();
    second.tokenText = "short";
    second.gameModeIndex = 1;
    second.playStyleIndex = 2;
    second.maxPlayersText = "12";
    second.clusterNameText = "中";
    second.clusterDescriptionText = "";
    second.clusterPasswordText = "";
    configure(second);

    std::string expected = newClusterIni({"wilderness", "12", "", kMiddleUtf8, "competitive", ""});
    expected.insert(expected.find(afterGameplay) + afterGameplay.size(), "tick_rate=30\r\n");
    expected += "[EXTRA]\r\nnote=by hand\r\n";
    const std::string clusterIni = fileBytes(clusterIniPath);
    EXPECT_EQ(clusterIni, expected) << hexDump(clusterIni);
    EXPECT_EQ(file("\\MyDediServer\\cluster_token.txt"), "short");
    EXPECT_EQ(file("\\MyDediServer\\Caves\\server.ini"), kCavesServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Master\\server.ini"), kMasterServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Caves\\worldgenoverride.lua"), kWorldgenOverride);
    EXPECT_EQ(file("\\MyDediServer\\Master\\save\\session.bin"), std::string("\0\1\2", 3));
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].text, clusterTexts::kConfigureDone);
}

TEST_F(ClusterWriter, AFileWhereTheClusterBelongsListsEveryPathThatFailed) {
    writeTestFile(run / "\\MyDediServer", "not a directory");

    FormValues form = sampleForm();
    form.gameModeIndex = 2;
    form.playStyleIndex = 1;
    configure(form);

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, "信息：");
    EXPECT_EQ(messages[0].icon, host::MessageIcon::warning);
    EXPECT_EQ(messages[0].text,
              "配置服务器未完成，以下文件或目录未能写入：\r\n" + run.path() + "\\MyDediServer\r\n" + run.path() +
                  "\\MyDediServer\\Caves\r\n" + run.path() + "\\MyDediServer\\Master\r\n" + run.path() +
                  "\\MyDediServer\\cluster_token.txt\r\n" + run.path() + "\\MyDediServer\\cluster.ini\r\n" +
                  run.path() + "\\MyDediServer\\Caves\\server.ini\r\n" + run.path() +
                  "\\MyDediServer\\Caves\\worldgenoverride.lua\r\n" + run.path() +
                  "\\MyDediServer\\Master\\server.ini");
    EXPECT_EQ(file("\\MyDediServer"), "not a directory");
    // What comes before any disk work is kept.
    EXPECT_EQ(last.gameModeKeyword, "endless");
    EXPECT_EQ(last.playStyleKeyword, "cooperative");
    EXPECT_EQ(last.clusterNameUtf8, kMyServerUtf8);
}

TEST_F(ClusterWriter, AFileWhereCavesBelongsListsOnlyItsSubtree) {
    writeTestFile(run / "\\MyDediServer\\Caves", "not a directory");

    configure(sampleForm());

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].icon, host::MessageIcon::warning);
    EXPECT_EQ(messages[0].text, warningText({run / "\\MyDediServer\\Caves", run / "\\MyDediServer\\Caves\\server.ini",
                                             run / "\\MyDediServer\\Caves\\worldgenoverride.lua"}));
    // Everything outside Caves is written in full.
    EXPECT_EQ(file("\\MyDediServer\\cluster_token.txt"), "pds-g^KU_abc123=");
    EXPECT_EQ(file("\\MyDediServer\\cluster.ini"),
              newClusterIni({"survival", "6", kMiddleUtf8 + " 1", kMyServerUtf8, "social", "1234"}));
    EXPECT_EQ(file("\\MyDediServer\\Master\\server.ini"), kMasterServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Caves"), "not a directory");
}

TEST_F(ClusterWriter, ADirectoryWhereAFileBelongsIsListedAndTheRestIsWritten) {
    makeDirectories(run / "\\MyDediServer\\cluster.ini");
    makeDirectories(run / "\\MyDediServer\\cluster_token.txt");

    configure(sampleForm());

    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text,
              warningText({run / "\\MyDediServer\\cluster_token.txt", run / "\\MyDediServer\\cluster.ini"}));
    EXPECT_EQ(file("\\MyDediServer\\Caves\\server.ini"), kCavesServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Master\\server.ini"), kMasterServerIni);
    EXPECT_EQ(file("\\MyDediServer\\Caves\\worldgenoverride.lua"), kWorldgenOverride);
}
