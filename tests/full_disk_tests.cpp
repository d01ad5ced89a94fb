// A real full disk: the cluster and the settings file on a small file system
// (scripts/test mounts one and names it in QUILLORN_SMALL_DISK), which a filler
// file then fills up before the tool runs again with contents that need more
// room. Every file must hold either its old bytes or its whole new content, no
// temporary file may stay behind, and the warnings name what was not written.
#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <optional>
#include <string>
#include <vector>

#include "cluster/cluster_texts.h"
#include "cluster/cluster_writer.h"
#include "host/host.h"
#include "settings/settings_texts.h"
#include "settings/tool_settings.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

// The files the two commands write, relative to the run directory.
const char* const kWrittenFiles[] = {
    clusterTexts::kClusterTokenFile,     clusterTexts::kClusterIni,      clusterTexts::kCavesServerIni,
    clusterTexts::kWorldgenOverrideFile, clusterTexts::kMasterServerIni, settingsTexts::kToolSettingsFile,
};

using Contents = std::map<std::string, std::string>;  // relative path: bytes

Contents contentsOf(const TemporaryRunDirectory& run) {
    Contents contents;
    for (const char* file : kWrittenFiles) contents[file] = fileBytes(run / file);
    return contents;
}

// What a file holds, in words short enough for a failure message.
std::string describe(const std::string& bytes, const std::string& before, const std::string& after) {
    if (bytes == before) return "its old bytes";
    if (bytes == after) return "its whole new content";
    return std::to_string(bytes.size()) + " bytes, neither its old bytes (" + std::to_string(before.size()) +
           ") nor its new content (" + std::to_string(after.size()) + ")";
}

// Each written file of the run directory holds what `expected` gives for it.
void expectContents(const TemporaryRunDirectory& run, const Contents& expected, const Contents& before,
                    const Contents& after) {
    for (const char* file : kWrittenFiles) {
        const std::string bytes = fileBytes(run / file);
        EXPECT_TRUE(bytes == expected.at(file))
            << file << " holds " << describe(bytes, before.at(file), after.at(file)) << ", expected "
            << describe(expected.at(file), before.at(file), after.at(file));
    }
}

FormValues firstForm() {
    FormValues form;
    form.tokenText = "pds-g^KU_first";
    form.maxPlayersText = "6";
    form.clusterNameText = "我的服务器";
    form.clusterDescriptionText = "一起玩";
    form.clusterPasswordText = "1234";
    return form;
}

// Every changed file needs more room than before: a longer token, and a
// description longer than a block of the small file system (a 4 KB page).
FormValues secondForm() {
    FormValues form = firstForm();
    form.tokenText = "pds-g^KU_second-and-much-longer-token";
    form.gameModeIndex = 2;
    form.playStyleIndex = 3;
    for (int count = 0; count < 3000; ++count) form.clusterDescriptionText += "中";
    return form;
}

// One run of the tool, as the window makes it: a configure, then the save on
// close; what each of them warned of, if anything.
struct Warnings {
    std::string configure;  // empty when the configure was complete
    std::optional<host::Message> save;
};

Warnings runTool(const FormValues& form) {
    const ConfigureResult configured = configureServer(form, "", "");
    const EditBoxAccessors fields{[&form](EditBox box) {
                                      switch (box) {
                                          case EditBox::token: return form.tokenText;
                                          case EditBox::maxPlayers: return form.maxPlayersText;
                                          case EditBox::clusterName: return form.clusterNameText;
                                          case EditBox::clusterDescription: return form.clusterDescriptionText;
                                          case EditBox::clusterPassword: return form.clusterPasswordText;
                                      }
                                      return std::string();
                                  },
                                  [](EditBox, const std::string&) {}};
    Warnings warnings;
    if (configured.message.icon == host::MessageIcon::warning) warnings.configure = configured.message.text;
    warnings.save = saveToolSettings(configured.gameModeKeyword, configured.playStyleKeyword, fields);
    return warnings;
}

// Writes a file at `localPath` with the system's own functions, block after
// block, then smaller ones, until nothing more fits on its file system.
void fillTheDisk(const std::string& localPath) {
    const std::string block(65536, 'f');
#ifdef _WIN32
    HANDLE file = CreateFileA(localPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << localPath;
    for (DWORD size : {65536, 4096, 1}) {
        DWORD written = 0;
        while (WriteFile(file, block.data(), size, &written, nullptr) && written > 0) {}
    }
    CloseHandle(file);
#else
    const int file = ::open(localPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    ASSERT_GE(file, 0) << localPath;
    for (size_t size : {65536, 4096, 1})
        while (::write(file, block.data(), size) > 0) {}
    ::close(file);
#endif
}

void removeLocalFile(const std::string& localPath) {
#ifdef _WIN32
    ASSERT_TRUE(DeleteFileA(localPath.c_str())) << localPath;
#else
    ASSERT_EQ(::unlink(localPath.c_str()), 0) << localPath;
#endif
}

bool isLocalDirectory(const std::string& localPath) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(localPath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
#else
    struct stat status {};
    return ::stat(localPath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
#endif
}

struct FullDiskCase {
    const char* name;
    bool oneBlockFree;                          // room for a small file, not for a long one
    std::vector<const char*> clusterUnwritten;  // in the order of the configure's steps
};

void PrintTo(const FullDiskCase& example, std::ostream* out) { *out << example.name; }

// With nothing free, every file that is rewritten fails (the worldgen override
// is rewritten with the same bytes; both server.ini files keep their values and
// are not written at all). With one block free, the small files are replaced
// and the long ones fail: each replacement frees the old file's block for the next.
const FullDiskCase kCases[] = {
    {"NothingFree",
     false,
     {clusterTexts::kClusterTokenFile, clusterTexts::kClusterIni, clusterTexts::kWorldgenOverrideFile}},
    {"OneBlockFree", true, {clusterTexts::kClusterIni}},
};

class FullDisk : public testing::TestWithParam<FullDiskCase> {
protected:
    void SetUp() override {
        ASSERT_FALSE(smallDisk.empty()) << "QUILLORN_SMALL_DISK is not set: these tests need the small file system "
                                           "that scripts/test mounts, and fail without it";
        ASSERT_TRUE(isLocalDirectory(smallDisk)) << smallDisk;
    }

    const std::string smallDisk = smallDiskDirectory();
    RecordedDialogs dialogs;  // nothing here shows a message itself
};

TEST_P(FullDisk, EveryFileHoldsItsOldBytesOrItsWholeNewContent) {
    const FullDiskCase& example = GetParam();

    // The two runs on an ordinary disk give each file's old and new content.
    Contents before, after;
    {
        const TemporaryRunDirectory reference;
        runTool(firstForm());
        before = contentsOf(reference);
        runTool(secondForm());
        after = contentsOf(reference);
    }
    ASSERT_NE(before[clusterTexts::kClusterIni], after[clusterTexts::kClusterIni]);
    ASSERT_NE(before[settingsTexts::kToolSettingsFile], after[settingsTexts::kToolSettingsFile]);

    const TemporaryRunDirectory run(smallDisk);
    const Warnings first = runTool(firstForm());
    ASSERT_EQ(first.configure, "");
    ASSERT_FALSE(first.save);
    ASSERT_NO_FATAL_FAILURE(expectContents(run, before, before, after));

    if (example.oneBlockFree) writeTestFile(run / "\\reserve", "r");
    ASSERT_NO_FATAL_FAILURE(fillTheDisk(run.localPath("\\filler")));
    if (example.oneBlockFree) {
        ASSERT_NO_FATAL_FAILURE(removeLocalFile(run.localPath("\\reserve")));
    }

    const Warnings second = runTool(secondForm());

    std::string clusterWarning = clusterTexts::kConfigureIncomplete;
    for (const char* file : example.clusterUnwritten) clusterWarning += host::kLineEnd + run / file;
    EXPECT_EQ(second.configure, clusterWarning);
    ASSERT_TRUE(second.save);
    EXPECT_EQ(second.save->text, settingsTexts::kSettingsNotSaved + run / settingsTexts::kToolSettingsFile);

    // A file the warnings name holds its old bytes; any other its whole new content.
    Contents expected;
    for (const char* file : kWrittenFiles) {
        const bool named = second.configure.find(run / file) != std::string::npos ||
                           second.save->text.find(run / file) != std::string::npos;
        expected[file] = named ? before[file] : after[file];
    }
    expectContents(run, expected, before, after);
    const std::vector<std::string> expectedEntries = {
        "\\MyDediServer",
        "\\MyDediServer\\Caves",
        "\\MyDediServer\\Caves\\server.ini",
        "\\MyDediServer\\Caves\\worldgenoverride.lua",
        "\\MyDediServer\\Master",
        "\\MyDediServer\\Master\\server.ini",
        "\\MyDediServer\\cluster.ini",
        "\\MyDediServer\\cluster_token.txt",
        "\\filler",
        settingsTexts::kToolSettingsFile,
    };
    EXPECT_EQ(run.entries(), expectedEntries) << "no temporary file stays behind";

    // Once there is room again, the same run writes everything.
    ASSERT_NO_FATAL_FAILURE(removeLocalFile(run.localPath("\\filler")));
    const Warnings third = runTool(secondForm());
    EXPECT_EQ(third.configure, "");
    EXPECT_FALSE(third.save);
    expectContents(run, after, before, after);
    EXPECT_TRUE(dialogs.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(SmallDisk, FullDisk, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<FullDiskCase>& info) { return std::string(info.param.name); });

}  // namespace
