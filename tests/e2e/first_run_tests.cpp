// The first start, without a settings file: the folder browser comes before
// the main window, and its answer is stored once.
#include "e2e/quillorn_session.h"

namespace e2e {
namespace {

using FirstRun = QuillornSession;

const std::vector<std::string> kSevenEmptyValues(7);

TEST_F(FirstRun, BrowserComesBeforeTheWindowAndTheChosenFolderIsStored) {
    ASSERT_NO_FATAL_FAILURE(start());
    const DialogSeen browser = app->waitForFolderBrowser();
    ASSERT_TRUE(browser) << "no folder browser on the first start";
    HWND mainWindow = app->mainWindow();
    EXPECT_FALSE(mainWindow && IsWindowVisible(mainWindow)) << "the main window is on the screen before the browser";
    EXPECT_EQ(browser.text, settingsTexts::kFolderBrowserPrompt);

    std::string problem;
    ASSERT_TRUE(selectDocumentsInFolderBrowser(browser.window, problem)) << problem;
    ASSERT_TRUE(app->pressDialogButton(browser, IDOK));
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());

    const std::string documents = documentsPathFromFolderBrowser();
    EXPECT_EQ(fileBytes(settingsPath()), settingsFileBytes(documents));
    for (int number = 1; number <= 5; ++number) EXPECT_EQ(windowText(editBox(number)), "") << u8"编辑框" << number;

    ASSERT_NO_FATAL_FAILURE(closeWithEsc());
    EXPECT_EQ(fileBytes(settingsPath()), settingsFileBytes(documents, kSevenEmptyValues))
        << hexDump(fileBytes(settingsPath()));
}

TEST_F(FirstRun, CancelledBrowserStoresAnEmptyFolderAndIsNotAskedAgain) {
    ASSERT_NO_FATAL_FAILURE(start());
    const DialogSeen browser = app->waitForFolderBrowser();
    ASSERT_TRUE(browser) << "no folder browser on the first start";
    ASSERT_TRUE(app->pressDialogButton(browser, IDCANCEL));
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());
    EXPECT_EQ(fileBytes(settingsPath()), settingsFileBytes(""));
    ASSERT_NO_FATAL_FAILURE(closeWithEsc());

    // A browser would hold the window back, so a shown window means none came.
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());
    EXPECT_FALSE(app->currentDialog()) << "a dialog is open: \"" << readable(app->currentDialog().caption) << "\"";
    ASSERT_NO_FATAL_FAILURE(closeWithEsc());
    EXPECT_EQ(fileBytes(settingsPath()), settingsFileBytes("", kSevenEmptyValues));
}

using SettingsFile = QuillornSession;

// A directory in the settings file's place counts as the file: no browser,
// empty fields, and a close that says the fields could not be saved.
TEST_F(SettingsFile, UnwritableFileIsReportedOnClose) {
    ASSERT_TRUE(makeDirectories(settingsPath()));
    ASSERT_NO_FATAL_FAILURE(start());
    ASSERT_NO_FATAL_FAILURE(waitForMainWindow());
    for (int number = 1; number <= 5; ++number) EXPECT_EQ(windowText(editBox(number)), "") << u8"编辑框" << number;
    setWindowText(editBox(1), "token");

    ASSERT_TRUE(bringToFront(window.window));
    pressKey(VK_ESCAPE);
    ASSERT_NO_FATAL_FAILURE(expectMessage(host::kMessageCaption, settingsTexts::kSettingsNotSaved + settingsPath()));
    EXPECT_EQ(app->waitForExit(), 0u);
}

}  // namespace
}  // namespace e2e
