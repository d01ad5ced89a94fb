// The toolkit's own behaviour: exit routines, start-up's run directory, the
// fatal-error stop and a window that cannot be created.
#include "app/toolkit.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/test_support.h"

namespace {

std::vector<int> endedWithCodes;
void recordProcessEnd(int exitCode) { endedWithCodes.push_back(exitCode); }

std::vector<std::string> routinesRun;
void recordRoutine(void* name) { routinesRun.push_back(static_cast<const char*>(name)); }

// Catches the fatal-error box and the end of the process for one test.
class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest() {
        endedWithCodes.clear();
        routinesRun.clear();
        toolkit::replaceProcessEnd(recordProcessEnd);
    }
    ~ToolkitTest() override {
        toolkit::shutDownToolkit();
        toolkit::replaceProcessEnd(nullptr);
    }
    RecordedDialogs dialogs;
};

TEST_F(ToolkitTest, ExitRoutinesRunOnceInRegistrationOrderAndDuplicatesAreIgnored) {
    char first[] = "first", second[] = "second";
    toolkit::registerExitRoutine(recordRoutine, first);
    toolkit::registerExitRoutine(recordRoutine, second);
    toolkit::registerExitRoutine(recordRoutine, first);

    toolkit::shutDownToolkit();
    toolkit::shutDownToolkit();

    EXPECT_EQ(routinesRun, (std::vector<std::string>{"first", "second"}));
}

TEST_F(ToolkitTest, InitialisingFixesTheRunDirectoryAsTheExecutablesDirectoryAndMakesItCurrent) {
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string expected(exe, std::string(exe).rfind('\\'));

    toolkit::initialiseToolkit();
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    std::string runDirectory = host::runDirectory();
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(runDirectory, expected);
    EXPECT_EQ(std::string(current), expected);
}

struct FatalErrorCase {
    const char* message;
    DWORD systemError;
    const char* expectedText;
};

TEST_F(ToolkitTest, FatalErrorShowsItsBoxRunsTheExitRoutinesOnceAndEndsWithMinusOne) {
    const FatalErrorCase cases[] = {
        {"载入启动窗口失败", 0, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n"},
        {"载入启动窗口失败", 1407, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n系统错误代码：1407\r\n"},
        {"", 0, "运行时出错!\r\n\r\n错误信息：\r\n"},
    };
    for (const FatalErrorCase& fatal : cases) {
        SCOPED_TRACE(fatal.expectedText);
        dialogs.messages.clear();
        endedWithCodes.clear();
        routinesRun.clear();
        char routine[] = "release";
        toolkit::registerExitRoutine(recordRoutine, routine);

        toolkit::stopWithError(fatal.message, fatal.systemError);
        toolkit::shutDownToolkit();  // as the process's own end would

        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].caption, "错误");
        EXPECT_EQ(dialogs.messages[0].icon, host::MessageIcon::error);
        EXPECT_EQ(dialogs.messages[0].text, fatal.expectedText) << hexDump(dialogs.messages[0].text);
        EXPECT_EQ(routinesRun, (std::vector<std::string>{"release"}));
        EXPECT_EQ(endedWithCodes, (std::vector<int>{-1}));
    }
}

TEST_F(ToolkitTest, AllocationFailureNamesTheWholeByteCount) {
    const std::pair<std::size_t, const char*> cases[] = {
        {0, "运行时出错!\r\n\r\n错误信息：分配 0 字节内存失败!\r\n"},
        {4294967296u, "运行时出错!\r\n\r\n错误信息：分配 4294967296 字节内存失败!\r\n"},
        {SIZE_MAX, "运行时出错!\r\n\r\n错误信息：分配 18446744073709551615 字节内存失败!\r\n"},
    };
    for (const auto& [bytes, expected] : cases) {
        dialogs.messages.clear();
        toolkit::stopWithAllocationFailure(bytes);
        ASSERT_EQ(dialogs.messages.size(), 1u);
        EXPECT_EQ(dialogs.messages[0].text, expected);
    }
    EXPECT_EQ(endedWithCodes, (std::vector<int>{-1, -1, -1}));
}

// A window that cannot be created, to see what loading it does.
class UncreatableWindow : public toolkit::Window {
public:
    HWND handle() const override { return nullptr; }
    bool createHidden() override {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
    void raiseCreated() override { ++eventsAfterCreation; }
    void showFirstTime() override { ++eventsAfterCreation; }
    bool handleKeyBeforeControls(const MSG&) override { return false; }
    int eventsAfterCreation = 0;
};

TEST_F(ToolkitTest, AWindowThatCannotBeCreatedStopsWithTheLoadErrorAndTheLoopReturnsAtOnce) {
    char routine[] = "release";
    toolkit::registerExitRoutine(recordRoutine, routine);
    UncreatableWindow window;

    toolkit::loadWindow(window);

    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n系统错误代码：8\r\n");
    EXPECT_EQ(window.eventsAfterCreation, 0);
    EXPECT_EQ(routinesRun, (std::vector<std::string>{"release"}));
    EXPECT_EQ(endedWithCodes, (std::vector<int>{-1}));
    EXPECT_EQ(toolkit::runMessageLoop(), 0);
}

}  // namespace
