// Real key presses: Tab order, the keys that do nothing, and every way of
// closing, each of which saves the fields and ends with exit code 0.
#include "e2e/quillorn_session.h"

namespace e2e {
namespace {

using Keyboard = QuillornSession;

TEST_F(Keyboard, TabAndShiftTabCycleThroughTheFieldsAndButtons) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    const HWND order[] = {editBox(1),       window.gameModeList, editBox(2), window.playStyleList,
                          editBox(3),       editBox(4),          editBox(5), window.configureButton,
                          window.copyButton};
    constexpr int kStops = static_cast<int>(std::size(order));
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(order[0])) << u8"the caret starts in 编辑框1";
    ASSERT_TRUE(bringToFront(window.window));

    for (int step = 1; step <= kStops; ++step) {
        SCOPED_TRACE("Tab number " + std::to_string(step));
        pressKey(VK_TAB);
        ASSERT_NO_FATAL_FAILURE(expectFocusOn(order[step % kStops]));
    }
    for (int step = 1; step <= kStops; ++step) {
        SCOPED_TRACE("Shift+Tab number " + std::to_string(step));
        pressKey(VK_TAB, {VK_SHIFT});
        ASSERT_NO_FATAL_FAILURE(expectFocusOn(order[(kStops - step) % kStops]));
    }
}

TEST_F(Keyboard, ShiftEscAndEnterNeitherCloseNorMoveTheFocus) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    ASSERT_TRUE(bringToFront(window.window));
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(editBox(1)));
    pressKey(VK_ESCAPE, {VK_SHIFT});
    pressKey(VK_RETURN);
    // Input is handled in order: once the Tab has moved the focus, the keys before it are done.
    pressKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(window.gameModeList));
    EXPECT_TRUE(app->running());
    EXPECT_TRUE(IsWindow(window.window) && IsWindowVisible(window.window));
    EXPECT_FALSE(app->currentDialog()) << "a dialog came up: \"" << readable(app->currentDialog().text) << "\"";
}

TEST_F(Keyboard, SpacePressesTheFocusedButtonWhileEnterDoesNothing) {
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    ASSERT_TRUE(bringToFront(window.window));
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(editBox(1)));
    for (int i = 0; i < 7; ++i) pressKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(window.configureButton));

    pressKey(VK_RETURN);
    // A message box would take the Tab; the focus moving on shows none came.
    pressKey(VK_TAB);
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(window.copyButton));
    EXPECT_FALSE(app->currentDialog()) << "Enter started a command: \"" << readable(app->currentDialog().text) << "\"";
    EXPECT_FALSE(pathExists(run / clusterTexts::kClusterDir));

    pressKey(VK_TAB, {VK_SHIFT});
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(window.configureButton));
    pressKey(VK_SPACE);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, clusterTexts::kConfigureDone));
    EXPECT_TRUE(pathExists(run / clusterTexts::kClusterIni));
}

enum class CloseBy { escape, escapeInOpenList, altF4, systemMenuClose, closeButton };

struct ClosingCase {
    const char* name;
    int tabs;  // Tab presses from 编辑框1 before closing
    CloseBy closeBy;
};

class Closing : public QuillornSession, public ::testing::WithParamInterface<ClosingCase> {};

TEST_P(Closing, SavesTheFieldsAndExitsWithCodeZero) {
    const ClosingCase& row = GetParam();
    ASSERT_NO_FATAL_FAILURE(startAndShow());
    const std::string token = std::string("closed-") + row.name;
    setWindowText(editBox(1), token);
    setWindowText(editBox(5), "42");
    ASSERT_TRUE(bringToFront(window.window));
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(editBox(1)));
    for (int i = 0; i < row.tabs; ++i) pressKey(VK_TAB);
    const HWND targets[] = {editBox(1),       window.gameModeList, editBox(2), window.playStyleList,
                            editBox(3),       editBox(4),          editBox(5), window.configureButton,
                            window.copyButton};
    ASSERT_NO_FATAL_FAILURE(expectFocusOn(targets[row.tabs]));

    switch (row.closeBy) {
        case CloseBy::escape: pressKey(VK_ESCAPE); break;
        case CloseBy::escapeInOpenList:
            pressKey(VK_F4);  // drops the focused list down
            ASSERT_TRUE(waitFor([&] { return isListDroppedDown(targets[row.tabs]); })) << "the list did not open";
            pressKey(VK_ESCAPE);
            break;
        case CloseBy::altF4: pressKey(VK_F4, {VK_MENU}); break;
        case CloseBy::systemMenuClose: PostMessageA(window.window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case CloseBy::closeButton: {
            POINT closeButton{};
            ASSERT_TRUE(findCloseButton(window.window, closeButton)) << "no close button in the title bar";
            ASSERT_TRUE(clickAt(closeButton));
            break;
        }
    }
    const DWORD exitCode = app->waitForExit();
    ASSERT_NE(exitCode, static_cast<DWORD>(STILL_ACTIVE)) << "Quillorn.exe is still running";
    EXPECT_EQ(exitCode, 0u);
    EXPECT_EQ(fileBytes(settingsPath()), settingsFileBytes("", {token, "", "", "", "", "", "42"}))
        << hexDump(fileBytes(settingsPath()));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Closing,
    ::testing::Values(ClosingCase{"EscIn1", 0, CloseBy::escape}, ClosingCase{"EscInList2", 3, CloseBy::escape},
                      ClosingCase{"EscInList1", 1, CloseBy::escape}, ClosingCase{"EscOnButton2", 8, CloseBy::escape},
                      ClosingCase{"EscInOpenList2", 3, CloseBy::escapeInOpenList},
                      ClosingCase{"AltF4", 4, CloseBy::altF4},
                      ClosingCase{"SystemMenuClose", 0, CloseBy::systemMenuClose},
                      ClosingCase{"CloseButton", 0, CloseBy::closeButton}),
    [](const ::testing::TestParamInfo<ClosingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
