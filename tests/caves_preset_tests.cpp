// The caves' preset against their own level data, through both commands:
// MyDediServer\Caves holds worldgenoverride.lua only while it holds no
// leveldataoverride.lua, and a removal that fails is reported.
#include <gtest/gtest.h>

#include <initializer_list>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "cluster/cluster_texts.h"
#include "cluster/cluster_writer.h"
#include "cluster/settings_copy.h"
#include "host/host.h"
#include "support/expected_cluster.h"
#include "support/test_support.h"

namespace {

using Contents = std::map<std::string, std::string>;

constexpr char kConfigured[] = "配置服务器完成，存档路径已经生成！";
constexpr char kConfigureListed[] = "配置服务器未完成，以下文件或目录未能写入：";
constexpr char kCopied[] = "模组文件与世界文件复制成功！";
constexpr char kCopyListed[] = "模组文件与世界文件复制未完成，以下文件未能复制：";
constexpr char kCopiedNotRemoved[] = "模组文件与世界文件已复制，但以下文件未能删除：";

const char* const kSaveParts[] = {
    "\\Master\\modoverrides.lua",
    "\\Master\\leveldataoverride.lua",
    "\\Caves\\modoverrides.lua",
    "\\Caves\\leveldataoverride.lua",
};

// Distinct for each file, with line ends, a zero byte and code-page-936 text.
std::string saveContent(int index) {
    return "return {\r\n  -- " + std::string(kSaveParts[index]) + std::string(1, '\0') + "\xC4\xA3\xD7\xE9\r\n}";
}

// Entries of the Caves folder, by their path under it.
const Contents::value_type kServerIni{"\\server.ini", expected::kCavesServerIni};
const Contents::value_type kPreset{"\\worldgenoverride.lua", expected::kWorldgenOverride};
const Contents::value_type kModsCopied{"\\modoverrides.lua", saveContent(2)};
const Contents::value_type kLevelDataCopied{"\\leveldataoverride.lua", saveContent(3)};
const Contents::value_type kLevelDataDirectory{"\\leveldataoverride.lua", kDirectoryEntry};
const Contents::value_type kPresetDirectory{"\\worldgenoverride.lua", kDirectoryEntry};
const Contents::value_type kInPresetDirectory{"\\worldgenoverride.lua\\by hand.txt", "kept"};

// What a case does, in order.
enum class Step {
    configure,             // the first run of 配置服务器
    configureAgain,        // a key added to cluster.ini by hand, then 配置服务器 with other values
    copy,                  // 模组与世界复制 from a save slot with all four files
    copySaveWithoutCaves,  // ... with the two Master files only
    copySaveWithoutMaster,
    removeCavesLevelData,  // by hand
    levelDataDirectory,    // a directory named leveldataoverride.lua, made by hand in Caves
    presetDirectory,       // the preset replaced by hand with a directory that holds a file
};

// A line after the last message's heading.
struct Line {
    enum Kind { unwritten, notCopied, notRemoved } kind;
    int copy = 0;  // notCopied: which file of the copy list
};
const Line kPresetUnwritten{Line::unwritten};    // the preset's path alone
const Line kPresetNotRemoved{Line::notRemoved};  // the preset's path, then （未能删除：reason）
Line notCopied(int copy) { return {Line::notCopied, copy}; }

FormValues firstValues() {
    FormValues form;
    form.tokenText = "pds-g^KU_abc123=";
    form.maxPlayersText = "6";
    form.clusterNameText = "我的服务器";
    form.clusterDescriptionText = "一起玩";
    form.clusterPasswordText = "1234";
    return form;
}

// The same token; every value of the 23 that comes from the form changed.
FormValues otherValues() {
    FormValues form = firstValues();
    form.gameModeIndex = 1;
    form.playStyleIndex = 2;
    form.maxPlayersText = "12";
    form.clusterNameText = "中";
    form.clusterDescriptionText = "";
    form.clusterPasswordText = "";
    return form;
}

const std::string kAfterGameplay = "pause_when_empty=true\r\n";
const std::string kKeyByHand = "tick_rate=30\r\n";

std::string withKeyByHand(std::string clusterIni) {
    return clusterIni.insert(clusterIni.find(kAfterGameplay) + kAfterGameplay.size(), kKeyByHand);
}

void forgetPreset(Contents& cluster) {
    for (auto entry = cluster.begin(); entry != cluster.end();)
        entry = entry->first.rfind("\\Caves\\worldgenoverride.lua", 0) == 0 ? cluster.erase(entry) : std::next(entry);
}

// One case's run directory, its save slot and the commands' messages.
class CavesRun {
public:
    void perform(Step step) {
        switch (step) {
            case Step::configure: configure(firstValues()); break;
            case Step::configureAgain: configureAgain(); break;
            case Step::copy: copyFrom("\\all", {0, 1, 2, 3}); break;
            case Step::copySaveWithoutCaves: copyFrom("\\master only", {0, 1}); break;
            case Step::copySaveWithoutMaster: copyFrom("\\caves only", {2, 3}); break;
            case Step::removeCavesLevelData: remove(cavesPath(kLevelDataCopied.first)); break;
            case Step::levelDataDirectory: makeDirectories(cavesPath(kLevelDataDirectory.first)); break;
            case Step::presetDirectory:
                remove(cavesPath(kPreset.first));
                writeTestFile(cavesPath(kInPresetDirectory.first), kInPresetDirectory.second);
                break;
        }
    }

    Contents caves() const { return run.contentsOf(clusterTexts::kCavesDir); }

    // Its heading and lines; the box is a warning unless it says all is done.
    void expectLastMessage(const std::string& heading, const std::vector<Line>& lines) const {
        ASSERT_FALSE(messages.empty());
        const host::Message& message = messages.back();
        EXPECT_EQ(message.caption, "信息：");
        const bool done = heading == kConfigured || heading == kCopied;
        EXPECT_EQ(message.icon, done ? host::MessageIcon::information : host::MessageIcon::warning);
        const std::vector<std::string> got = linesOf(message.text);
        ASSERT_EQ(got.size(), lines.size() + 1) << message.text;
        EXPECT_EQ(got[0], heading);
        for (size_t at = 0; at < lines.size(); ++at) expectLine(got[at + 1], lines[at]);
    }

private:
    TemporaryRunDirectory run;
    std::string documents;  // of the last copy
    std::vector<host::Message> messages;
    ConfigureResult last;

    std::string cavesPath(const std::string& below) const { return run / clusterTexts::kCavesDir + below; }

    void configure(const FormValues& values) {
        last = configureServer(values, last.gameModeKeyword, last.playStyleKeyword);
        messages.push_back(last.message);
    }

    // Adds a key to cluster.ini by hand, configures with other values, and
    // checks that every file but the preset is as before but for the 23 values.
    void configureAgain() {
        const std::string clusterIni = run / clusterTexts::kClusterIni;
        writeTestFile(clusterIni, withKeyByHand(fileBytes(clusterIni)));
        Contents expected = run.contentsOf(clusterTexts::kClusterDir);
        expected["\\cluster.ini"] = withKeyByHand(
            expected::newClusterIni({"wilderness", "12", "", "\xE4\xB8\xAD", "competitive", ""}));  // 中 in UTF-8

        configure(otherValues());

        Contents written = run.contentsOf(clusterTexts::kClusterDir);
        forgetPreset(expected);
        forgetPreset(written);
        EXPECT_EQ(written, expected);
    }

    void copyFrom(const std::string& folder, std::initializer_list<int> parts) {
        documents = run / folder;
        for (int index : parts) writeTestFile(documents + "\\Cluster_1" + kSaveParts[index], saveContent(index));
        messages.push_back(copyModAndWorldSettings(documents));
    }

    static void remove(const std::string& path) {
        ASSERT_TRUE(host::removeFile(path).removed) << path;
        ASSERT_FALSE(host::fileExists(path)) << path;
    }

    void expectLine(const std::string& got, const Line& line) const {
        const std::string preset = run / clusterTexts::kWorldgenOverrideFile;
        switch (line.kind) {
            case Line::unwritten: EXPECT_EQ(got, preset); break;
            case Line::notRemoved: expectReasonAfter(got, preset + "（未能删除："); break;
            case Line::notCopied: {
                const char* part = kSaveParts[line.copy];
                expectReasonAfter(got, documents + "\\Cluster_1" + part + " → " + run / "\\MyDediServer" + part + "（");
                break;
            }
        }
    }

    // `start`, the system's reason, then "）": reasons differ between hosts.
    static void expectReasonAfter(const std::string& got, const std::string& start) {
        const std::string close = "）";
        ASSERT_GT(got.size(), start.size() + close.size()) << got << "\n  expected to start: " << start;
        EXPECT_EQ(got.substr(0, start.size()), start) << got;
        EXPECT_EQ(got.substr(got.size() - close.size()), close) << got;
    }
};

}  // namespace

TEST(CavesPreset, StandsOnlyWhileTheCavesHaveNoLevelData) {
    RecordedDialogs dialogs;  // the commands show nothing themselves
    const struct {
        const char* name;
        std::vector<Step> steps;
        Contents caves;       // the whole Caves folder afterwards
        std::string heading;  // of the last message
        std::vector<Line> lines;
    } cases[] = {
        {"a new cluster", {Step::configure}, {kServerIni, kPreset}, kConfigured, {}},
        {"a copy with the caves' level data",
         {Step::configure, Step::copy},
         {kServerIni, kModsCopied, kLevelDataCopied},
         kCopied,
         {}},
        {"configured again after that copy",
         {Step::configure, Step::copy, Step::configureAgain},
         {kServerIni, kModsCopied, kLevelDataCopied},
         kConfigured,
         {}},
        {"the level data removed by hand, configured again",
         {Step::configure, Step::copy, Step::removeCavesLevelData, Step::configureAgain},
         {kServerIni, kModsCopied, kPreset},
         kConfigured,
         {}},
        {"a directory named leveldataoverride.lua is no level data",
         {Step::configure, Step::copy, Step::removeCavesLevelData, Step::levelDataDirectory, Step::configureAgain},
         {kServerIni, kModsCopied, kLevelDataDirectory, kPreset},
         kConfigured,
         {}},
        {"a save without Caves",
         {Step::configure, Step::copySaveWithoutCaves},
         {kServerIni, kPreset},
         kCopyListed,
         {notCopied(2), notCopied(3)}},
        {"a directory named worldgenoverride.lua, then a copy",
         {Step::configure, Step::presetDirectory, Step::copy},
         {kServerIni, kModsCopied, kLevelDataCopied, kPresetDirectory, kInPresetDirectory},
         kCopiedNotRemoved,
         {kPresetNotRemoved}},
        {"a directory named worldgenoverride.lua after the copy, then configured again",
         {Step::configure, Step::copy, Step::presetDirectory, Step::configureAgain},
         {kServerIni, kModsCopied, kLevelDataCopied, kPresetDirectory, kInPresetDirectory},
         kConfigureListed,
         {kPresetUnwritten}},
        {"a directory named worldgenoverride.lua, then a save without Master",
         {Step::configure, Step::presetDirectory, Step::copySaveWithoutMaster},
         {kServerIni, kModsCopied, kLevelDataCopied, kPresetDirectory, kInPresetDirectory},
         kCopyListed,
         {notCopied(0), notCopied(1), kPresetNotRemoved}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CavesRun run;
        for (Step step : c.steps) ASSERT_NO_FATAL_FAILURE(run.perform(step));
        EXPECT_EQ(run.caves(), c.caves);
        run.expectLastMessage(c.heading, c.lines);
    }
    EXPECT_TRUE(dialogs.messages.empty());
}
