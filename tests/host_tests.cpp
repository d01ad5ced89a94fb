// The host services: paths, files and directories, and the dialogs, on both
// hosts; under Wine the system's own dialogs are answered from a second thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/test_support.h"

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#else
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#endif

namespace {

// ---- Paths ---------------------------------------------------------------

struct DirectoryCase {
    std::string path;
    std::string directory;
};

class DirectoryOfPath : public testing::TestWithParam<DirectoryCase> {};

TEST_P(DirectoryOfPath, CutsBeforeTheLastRealBackslash) {
    EXPECT_EQ(host::directoryOfPath(GetParam().path), GetParam().directory) << GetParam().path;
}

// 乗 is 81 5C in code page 936: its trail byte is no backslash.
INSTANTIATE_TEST_SUITE_P(Cases, DirectoryOfPath,
                         testing::Values(DirectoryCase{"C:\\游戏\\乗\\Quillorn.exe", "C:\\游戏\\乗"},
                                         DirectoryCase{"C:\\游戏\\乗", "C:\\游戏"}, DirectoryCase{"C:\\乗乗", "C:"},
                                         DirectoryCase{"C:\\Quillorn.exe", "C:"}, DirectoryCase{"C:\\dir\\", "C:\\dir"},
                                         DirectoryCase{"\\\\server\\share\\a.exe", "\\\\server\\share"},
                                         DirectoryCase{"Quillorn.exe", ""}, DirectoryCase{"乗", ""}));

TEST(RunDirectory, IsWhatWasSet) {
    const std::string before = host::runDirectory();
    host::setRunDirectory("C:\\游戏\\乗");
    EXPECT_EQ(host::runDirectory(), "C:\\游戏\\乗");
    host::setRunDirectory(before);
}

#ifdef _WIN32
TEST(RunDirectory, TheExecutablePathIsWholeAndItsDirectoryExists) {
    const std::string path = host::executablePath();
    ASSERT_GT(path.size(), 14u);
    EXPECT_EQ(path.substr(path.size() - 14), "host_tests.exe");
    EXPECT_TRUE(host::isDirectory(host::directoryOfPath(path))) << path;
}
#else
TEST(RunDirectory, NoExecutablePathOffWindows) { EXPECT_EQ(host::executablePath(), ""); }

// Windows paths on Linux: a drive letter or a leading backslash is the mapped
// root, backslashes are slashes, a doubled one counts once, and a 0x5C trail
// byte stays part of its character.
TEST(PortablePaths, MapOntoTheLocalRoot) {
    char pattern[] = "/tmp/quillorn-paths-XXXXXX";
    const std::string root = mkdtemp(pattern);
    host::mapDrivesTo(root + "/");
    struct Mapped {
        std::string windowsPath;
        std::string localPath;
    };
    const Mapped mapped[] = {
        {"C:\\a.txt", "/a.txt"},
        {"D:\\b.txt", "/b.txt"},
        {"\\c.txt", "/c.txt"},
        {"C:\\dir\\\\d.txt", "/dir/d.txt"},
        {"C:/dir/e.txt", "/dir/e.txt"},
        {"C:\\dir\\乗.txt", "/dir/乗.txt"},
        {"C:\\dir\\乗\\f.txt", "/dir/乗/f.txt"},
    };
    ASSERT_TRUE(host::createDirectory("C:\\dir"));
    ASSERT_TRUE(host::createDirectory("C:\\dir\\乗"));
    for (const Mapped& example : mapped) {
        ASSERT_TRUE(host::writeFile(example.windowsPath, {example.windowsPath})) << example.windowsPath;
        std::ifstream local(root + example.localPath, std::ios::binary);
        std::string content((std::istreambuf_iterator<char>(local)), std::istreambuf_iterator<char>());
        EXPECT_EQ(content, example.windowsPath) << example.localPath;
    }
    // The file named with 乗 is one file beside the directory 乗, not inside any.
    EXPECT_TRUE(std::filesystem::is_regular_file(root + "/dir/\x81\x5C.txt"));
    std::filesystem::remove_all(root);
}
#endif

TEST(CurrentDirectory, RelativePathsStartThere) {
    TemporaryRunDirectory run;
#ifdef _WIN32
    char before[32768] = {};
    GetCurrentDirectoryA(sizeof before, before);
#else
    const std::string before = std::filesystem::current_path().string();
#endif
    ASSERT_TRUE(host::setCurrentDirectory(run.path()));
    EXPECT_TRUE(host::writeFile("相对.txt", {"x"}));
#ifdef _WIN32
    SetCurrentDirectoryA(before);
#else
    std::filesystem::current_path(before);
#endif
    EXPECT_EQ(fileBytes(run / "\\相对.txt"), "x");
    EXPECT_FALSE(host::setCurrentDirectory(run / "\\没有"));
}

// ---- Files and directories -----------------------------------------------

TEST(Directories, AreMadeOneLevelAtATime) {
    TemporaryRunDirectory run;
    EXPECT_TRUE(host::createDirectory(run / "\\存档"));
    EXPECT_TRUE(host::isDirectory(run / "\\存档"));
    EXPECT_FALSE(host::createDirectory(run / "\\存档")) << "it exists";
    EXPECT_FALSE(host::createDirectory(run / "\\没有\\子目录")) << "its parent is missing";
    EXPECT_FALSE(host::isDirectory(run / "\\没有"));
    EXPECT_FALSE(host::createDirectory(""));
}

TEST(Files, ExistenceCountsFilesAndDirectoriesAlike) {
    TemporaryRunDirectory run;
    writeTestFile(run / "\\文件.txt", "x");
    ASSERT_TRUE(host::createDirectory(run / "\\目录"));

    EXPECT_TRUE(host::fileExists(run / "\\文件.txt"));
    EXPECT_TRUE(host::fileExists(run / "\\目录"));
    EXPECT_FALSE(host::isDirectory(run / "\\文件.txt"));
    EXPECT_FALSE(host::fileExists(run / "\\没有.txt"));
    EXPECT_FALSE(host::fileExists(run / "\\*"));  // a pattern finds nothing
    EXPECT_FALSE(host::fileExists(""));
}

TEST(Files, AreWrittenPieceAfterPieceAndTruncated) {
    TemporaryRunDirectory run;
    const std::string file = run / "\\cluster_token.txt";
    writeTestFile(file, "an older and much longer content");

    ASSERT_TRUE(host::writeFile(file, {"pds-", "", std::string_view("a\0b", 3), "中文"}));
    EXPECT_EQ(hexDump(fileBytes(file)), hexDump(std::string("pds-a\0b中文", 11)));

    ASSERT_TRUE(host::writeFile(file, {}));
    EXPECT_EQ(fileBytes(file), "");
}

TEST(Files, AFailedWriteTouchesNothing) {
    TemporaryRunDirectory run;
    ASSERT_TRUE(host::createDirectory(run / "\\cluster.ini"));

    EXPECT_FALSE(host::writeFile(run / "\\cluster.ini", {"x"})) << "a directory stands there";
    EXPECT_TRUE(host::isDirectory(run / "\\cluster.ini"));
    EXPECT_FALSE(host::writeFile(run / "\\没有\\a.txt", {"x"})) << "its directory is missing";
    EXPECT_FALSE(host::fileExists(run / "\\没有"));
    EXPECT_FALSE(host::writeFile("", {"x"}));
}

TEST(Files, ReadingFailsForWhatIsNoFile) {
    TemporaryRunDirectory run;
    ASSERT_TRUE(host::createDirectory(run / "\\目录"));
    std::string content = "unchanged";
    EXPECT_FALSE(host::readFile(run / "\\没有.txt", content));
    EXPECT_FALSE(host::readFile(run / "\\目录", content));
    EXPECT_FALSE(host::readFile("", content));
    EXPECT_EQ(content, "unchanged");
}

TEST(Files, ACopyReplacesTheTarget) {
    TemporaryRunDirectory run;
    writeTestFile(run / "\\源\\modoverrides.lua", "return { 新 }");
    writeTestFile(run / "\\目标\\modoverrides.lua", "an older and longer target");

    const host::CopyResult result = host::copyFile(run / "\\源\\modoverrides.lua", run / "\\目标\\modoverrides.lua");
    EXPECT_TRUE(result.copied) << result.reason;
    EXPECT_EQ(result.reason, "");
    EXPECT_EQ(fileBytes(run / "\\目标\\modoverrides.lua"), "return { 新 }");
}

TEST(Files, ACopyWithoutItsSourceFailsWithTheSystemsWords) {
    TemporaryRunDirectory run;
    writeTestFile(run / "\\target.lua", "kept");

    const host::CopyResult result = host::copyFile(run / "\\missing.lua", run / "\\target.lua");
    EXPECT_FALSE(result.copied);
    EXPECT_NE(result.reason, "");
    EXPECT_NE(result.reason.back(), '\n');
    EXPECT_NE(result.reason.back(), '\r');
    EXPECT_EQ(fileBytes(run / "\\target.lua"), "kept");
}

TEST(Files, ACopyCreatesNoDirectory) {
    TemporaryRunDirectory run;
    writeTestFile(run / "\\source.lua", "x");

    EXPECT_FALSE(host::copyFile(run / "\\source.lua", run / "\\没有\\target.lua").copied);
    EXPECT_FALSE(host::fileExists(run / "\\没有"));
}

// What stands at "\世界.lua" before and after a removal; the file is the only
// thing removed, so a directory stays whole and a file on the path stays too.
TEST(Files, ARemovalLeavesNoFileOfThatNameOrSaysWhyOneIsLeft) {
    enum class Entry { nothing, file, directory };
    const struct {
        const char* name;
        Entry standing;
        const char* removed;  // the path given to removeFile
        bool isRegularFile;
        bool leavesNoFile;
        Entry standingAfter;
    } cases[] = {
        {"a file", Entry::file, "\\世界.lua", true, true, Entry::nothing},
        {"nothing of that name", Entry::nothing, "\\世界.lua", false, true, Entry::nothing},
        {"a missing folder", Entry::nothing, "\\世界.lua\\x.lua", false, true, Entry::nothing},
        {"a file where the folder belongs", Entry::file, "\\世界.lua\\x.lua", false, true, Entry::file},
        {"a directory", Entry::directory, "\\世界.lua", false, false, Entry::directory},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryRunDirectory run;
        const std::string standing = run / "\\世界.lua";
        if (c.standing == Entry::file) writeTestFile(standing, "x");
        if (c.standing == Entry::directory) writeTestFile(standing + "\\inside.txt", "kept");

        EXPECT_EQ(host::isRegularFile(run / c.removed), c.isRegularFile);
        const host::RemoveResult result = host::removeFile(run / c.removed);

        EXPECT_EQ(result.removed, c.leavesNoFile) << result.reason;
        if (c.leavesNoFile) {
            EXPECT_EQ(result.reason, "");
            EXPECT_FALSE(host::isRegularFile(run / c.removed));
        } else {
            ASSERT_NE(result.reason, "");
            EXPECT_NE(result.reason.back(), '\n');
            EXPECT_NE(result.reason.back(), '\r');
        }
        switch (c.standingAfter) {
            case Entry::nothing: EXPECT_FALSE(host::fileExists(standing)); break;
            case Entry::file: EXPECT_EQ(fileBytes(standing), "x"); break;
            case Entry::directory: EXPECT_EQ(fileBytes(standing + "\\inside.txt"), "kept"); break;
        }
    }
}

TEST(Files, AnEmptyPathIsNoFileAndCannotBeRemoved) {
    EXPECT_FALSE(host::isRegularFile(""));
    const host::RemoveResult result = host::removeFile("");
    EXPECT_FALSE(result.removed);
    EXPECT_NE(result.reason, "");
}

// ---- Whole replacement ---------------------------------------------------
// writeFile and copyFile replace a file through a temporary one beside it:
// each puts "新的内容\r\n" at the target, or fails and leaves it as it was.

struct Replacer {
    const char* name;
    bool (*replace)(const TemporaryRunDirectory& run, const std::string& target);
};

const std::string kNewContent = "新的内容\r\n";

const Replacer kReplacers[] = {
    {"WriteFile",
     [](const TemporaryRunDirectory&, const std::string& target) {
         return host::writeFile(target, {"新的", "内容\r\n"});
     }},
    {"CopyFile",
     [](const TemporaryRunDirectory& run, const std::string& target) {
         const std::string source = run / "\\源.lua";
         if (fileBytes(source) != kNewContent) writeTestFile(source, kNewContent);
         return host::copyFile(source, target).copied;
     }},
};

class WholeReplacement : public testing::TestWithParam<Replacer> {
protected:
    TemporaryRunDirectory run;
    const std::string target = run / "\\目标.ini";
    const std::string temporary = target + host::kTemporaryFileSuffix;

    bool replace() { return GetParam().replace(run, target); }
    // What the run directory holds besides the copy's source.
    std::vector<std::string> entries() const {
        std::vector<std::string> entries = run.entries();
        entries.erase(std::remove(entries.begin(), entries.end(), "\\源.lua"), entries.end());
        return entries;
    }
};

TEST_P(WholeReplacement, ReplacesALongerFileWholeAndLeavesNoTemporaryFile) {
    writeTestFile(target, "an older and much longer content, which must not show through");

    ASSERT_TRUE(replace());
    EXPECT_EQ(hexDump(fileBytes(target)), hexDump(kNewContent));
    EXPECT_EQ(entries(), std::vector<std::string>{"\\目标.ini"});
}

TEST_P(WholeReplacement, CreatesAMissingFile) {
    ASSERT_TRUE(replace());
    EXPECT_EQ(fileBytes(target), kNewContent);
    EXPECT_EQ(entries(), std::vector<std::string>{"\\目标.ini"});
}

// One left by a power loss: longer than the new content, and read-only as a
// copy of a read-only source would be.
TEST_P(WholeReplacement, ReplacesAStaleTemporaryFile) {
    writeTestFile(target, "old");
    writeTestFile(temporary, "a stale temporary file, longer than the new content");
    makeReadOnly(run.localPath("\\目标.ini") + host::kTemporaryFileSuffix);

    ASSERT_TRUE(replace());
    EXPECT_EQ(fileBytes(target), kNewContent);
    EXPECT_EQ(entries(), std::vector<std::string>{"\\目标.ini"});
}

TEST_P(WholeReplacement, FailsOnAReadOnlyFileAndLeavesIt) {
    writeTestFile(target, "old");
    makeReadOnly(run.localPath("\\目标.ini"));

    EXPECT_FALSE(replace());
    EXPECT_EQ(fileBytes(target), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"\\目标.ini"});
}

TEST_P(WholeReplacement, FailsOnADirectoryInPlaceOfTheFileAndLeavesIt) {
    makeDirectories(target);
    writeTestFile(target + "\\inside.txt", "kept");

    EXPECT_FALSE(replace());
    EXPECT_TRUE(host::isDirectory(target));
    EXPECT_EQ(fileBytes(target + "\\inside.txt"), "kept");
    EXPECT_EQ(entries(), (std::vector<std::string>{"\\目标.ini", "\\目标.ini\\inside.txt"}));
}

TEST_P(WholeReplacement, FailsWhereTheDirectoryIsMissing) {
    EXPECT_FALSE(GetParam().replace(run, run / "\\没有\\目标.ini"));
    EXPECT_EQ(entries(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(Host, WholeReplacement, testing::ValuesIn(kReplacers),
                         [](const testing::TestParamInfo<Replacer>& info) { return std::string(info.param.name); });

// ---- Dialogs -------------------------------------------------------------

TEST(Dialogs, ReplacedOnesAreCalledInstead) {
    RecordedDialogs dialogs("C:\\文档");
    host::showMessage({"信息：", "配置服务器完成", host::MessageIcon::warning});
    EXPECT_EQ(host::browseForFolder("请选择游戏文档目录"), "C:\\文档");

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, "信息：");
    EXPECT_EQ(dialogs.messages[0].text, "配置服务器完成");
    EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::warning);
    ASSERT_EQ(dialogs.browserPrompts.size(), 1u);
    EXPECT_EQ(dialogs.browserPrompts[0], "请选择游戏文档目录");
}

#ifndef _WIN32
TEST(Dialogs, ThePortableOnesNeverWait) {
    host::replaceDialogs(nullptr, nullptr);
    testing::internal::CaptureStderr();
    host::showMessage({"信息：", "完成", host::MessageIcon::information});
    const std::string printed = testing::internal::GetCapturedStderr();
    EXPECT_NE(printed.find("信息："), std::string::npos);
    EXPECT_NE(printed.find("完成"), std::string::npos);
    EXPECT_EQ(host::browseForFolder("请选择游戏文档目录"), "");
}
#else
// Answers the first dialog box that the given thread shows, from a second
// thread, while the first one waits inside the dialog.
class DialogAnswerer {
public:
    using Answer = std::function<void(HWND dialog)>;
    DialogAnswerer(DWORD dialogThread, Answer answer)
        : worker_([this, dialogThread, answer] {
              for (int tries = 0; tries < 200 && !answered_; ++tries) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
                  HWND dialog = findDialog(dialogThread);
                  if (!dialog || !IsWindowVisible(dialog)) continue;
                  answer(dialog);
                  answered_ = true;
              }
          }) {}
    ~DialogAnswerer() { worker_.join(); }
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    bool answered() const { return answered_; }

private:
    static HWND findDialog(DWORD thread) {
        HWND found = nullptr;
        EnumThreadWindows(
            thread,
            [](HWND window, LPARAM result) -> BOOL {
                char name[32] = {};
                GetClassNameA(window, name, sizeof name);
                if (std::string(name) != "#32770") return TRUE;
                *reinterpret_cast<HWND*>(result) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::atomic<bool> answered_{false};
    std::thread worker_;
};

std::string windowText(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string treeItemText(HWND tree, LPARAM item) {
    char text[MAX_PATH] = {};
    TVITEMA query{};
    query.mask = TVIF_TEXT;
    query.hItem = reinterpret_cast<HTREEITEM>(item);
    query.pszText = text;
    query.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

// The desktop hands the foreground back a moment after a dialog closes.
HWND foregroundWindowOnceSettled(HWND expected) {
    for (int tries = 0; tries < 100 && GetForegroundWindow() != expected; ++tries) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return GetForegroundWindow();
}

// A top-level window of this thread, destroyed when it goes.
class TestWindow {
public:
    explicit TestWindow(bool enabled)
        : window_(CreateWindowExA(0, "STATIC", "Quillorn", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr)) {
        EnableWindow(window_, enabled);
    }
    ~TestWindow() { DestroyWindow(window_); }
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

TEST(SystemDialogs, TheMessageBoxShowsCaptionAndTextAndReturnsWhenDismissed) {
    host::replaceDialogs(nullptr, nullptr);
    std::string caption, text;
    {
        const DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND box) {
            caption = windowText(box);
            text = windowText(GetDlgItem(box, 0xFFFF));
            SendMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        });
        host::showMessage({"信息：", "配置服务器完成，存档路径已经生成！", host::MessageIcon::information});
    }
    EXPECT_EQ(caption, "信息：");
    EXPECT_EQ(text, "配置服务器完成，存档路径已经生成！");
}

TEST(SystemDialogs, TheFolderBrowserDisablesTheThreadsWindowsAndRestoresThem) {
    host::replaceDialogs(nullptr, nullptr);
    const TestWindow disabledBefore(false);
    const TestWindow main(true);
    SetForegroundWindow(main.get());
    SetActiveWindow(main.get());
    ASSERT_EQ(GetActiveWindow(), main.get());

    bool mainEnabledWhileOpen = true, ownedByMain = false;
    std::string chosen = "not asked";
    {
        const DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND browser) {
            mainEnabledWhileOpen = IsWindowEnabled(main.get());
            ownedByMain = GetWindow(browser, GW_OWNER) == main.get();
            SendMessageA(GetDlgItem(browser, IDCANCEL), BM_CLICK, 0, 0);
        });
        chosen = host::browseForFolder("请选择游戏文档目录").value_or("<no answer>");
        EXPECT_TRUE(answerer.answered());
    }
    EXPECT_EQ(chosen, "") << "cancelled";
    EXPECT_FALSE(mainEnabledWhileOpen);
    EXPECT_TRUE(ownedByMain);
    EXPECT_TRUE(IsWindowEnabled(main.get()));
    EXPECT_FALSE(IsWindowEnabled(disabledBefore.get())) << "a window disabled before stays so";
    EXPECT_EQ(GetActiveWindow(), main.get());
    EXPECT_EQ(foregroundWindowOnceSettled(main.get()), main.get());
}

// The user's documents folder is chosen by its name under the desktop item:
// where it stands among the desktop's items differs from one system to another.
TEST(SystemDialogs, TheFolderBrowserGivesThePathOfTheChosenFolderAsTheShellGivesIt) {
    host::replaceDialogs(nullptr, nullptr);
    char documents[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents), S_OK);
    PIDLIST_ABSOLUTE documentsItem = nullptr;
    ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &documentsItem), S_OK);
    SHFILEINFOA documentsInfo{};
    SHGetFileInfoA(reinterpret_cast<const char*>(documentsItem), 0, &documentsInfo, sizeof documentsInfo,
                   SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(documentsItem);
    const std::string documentsName = documentsInfo.szDisplayName;
    ASSERT_FALSE(documentsName.empty());
    std::string prompt;
    std::string chosen;
    {
        const DialogAnswerer answerer(GetCurrentThreadId(), [&](HWND browser) {
            HWND tree = FindWindowExA(browser, nullptr, WC_TREEVIEWA, nullptr);
            auto item = [tree](UINT relation, LPARAM from) {
                return static_cast<LPARAM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, from));
            };
            const LPARAM desktop = item(TVGN_ROOT, 0);
            SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, desktop);
            // The shell may still be filling the tree when the dialog shows.
            LPARAM found = 0;
            for (int tries = 0; tries < 100 && !found; ++tries) {
                for (LPARAM child = item(TVGN_CHILD, desktop); child && !found; child = item(TVGN_NEXT, child))
                    if (treeItemText(tree, child) == documentsName) found = child;
                if (!found) std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, found);
            for (HWND child = GetWindow(browser, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
                if (windowText(child) == "请选择游戏文档目录") prompt = windowText(child);
            SendMessageA(GetDlgItem(browser, IDOK), BM_CLICK, 0, 0);
        });
        chosen = host::browseForFolder("请选择游戏文档目录").value_or("<no answer>");
    }
    EXPECT_EQ(prompt, "请选择游戏文档目录");
    // Wine's shell gives this folder with a trailing backslash; it stays.
    EXPECT_TRUE(chosen == documents || chosen == std::string(documents) + "\\") << chosen << " / " << documents;
    EXPECT_TRUE(host::isDirectory(chosen)) << chosen;
}
#endif

}  // namespace
