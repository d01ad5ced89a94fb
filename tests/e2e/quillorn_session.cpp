#include "e2e/quillorn_session.h"

namespace e2e {

void QuillornSession::writeSettings(const std::string& documentsDir) {
    ASSERT_TRUE(writeFileBytes(settingsPath(), settingsFileBytes(documentsDir))) << settingsPath();
}

void QuillornSession::start() {
    app.reset();
    app = std::make_unique<QuillornProcess>(run.exe());
    ASSERT_TRUE(app->problem().empty()) << app->problem();
    ASSERT_TRUE(app->running()) << "Quillorn.exe ended at once, with exit code " << app->waitForExit(0);
}

void QuillornSession::waitForMainWindow() {
    HWND shown = app->waitForMainWindowShown();
    if (!shown) {
        const DialogSeen dialog = app->currentDialog();
        FAIL() << "the main window was not shown within " << kDeadlineMs << " ms"
               << (dialog ? ", a dialog is open: \"" + readable(dialog.caption) + "\" \"" + readable(dialog.text) + "\""
                          : "")
               << (app->running() ? "" : "; Quillorn.exe has ended");
    }
    std::string problem;
    ASSERT_TRUE(findControls(shown, window, problem)) << problem;
}

void QuillornSession::startAndShow() {
    if (!pathExists(settingsPath())) {
        ASSERT_NO_FATAL_FAILURE(writeSettings());
    }
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());
}

void QuillornSession::closeWithEsc() {
    ASSERT_TRUE(bringToFront(window.window)) << "the main window did not come to the front";
    pressKey(VK_ESCAPE);
    const DWORD exitCode = app->waitForExit();
    ASSERT_NE(exitCode, static_cast<DWORD>(STILL_ACTIVE)) << "Esc did not end Quillorn.exe";
    EXPECT_EQ(exitCode, 0u) << "exit code after a normal close";
}

void QuillornSession::expectMessage(const std::string& caption, const std::string& text) {
    const DialogSeen box = app->waitForMessageBox();
    ASSERT_TRUE(box) << "no message box within " << kDeadlineMs << " ms; expected \"" << readable(text) << "\"";
    EXPECT_EQ(box.caption, caption);
    EXPECT_EQ(box.text, text);
    EXPECT_TRUE(app->pressDialogButton(box, IDOK)) << "the message box did not go away on OK";
}

void QuillornSession::expectFocusOn(HWND control) {
    HWND focus = waitFor([&] { return app->focus() == control ? control : nullptr; });
    EXPECT_EQ(focus, control) << "the focus is on " << controlName(window, app->focus()) << ", not on "
                              << controlName(window, control);
}

void QuillornSession::expectText(HWND control, const std::string& text) {
    waitFor([&] { return windowText(control) == text; });
    EXPECT_EQ(windowText(control), text) << "in " << controlName(window, control);
}

}  // namespace e2e
