// The fixture of every scenario: a fresh run directory with a copy of
// Quillorn.exe, the running tool, its main window and controls, and the steps
// scenarios share (start, wait for the window, answer a message, close).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/app_texts.h"
#include "cluster/cluster_texts.h"
#include "e2e/quillorn_driver.h"
#include "host/host.h"
#include "host/host_texts.h"
#include "settings/settings_texts.h"

namespace e2e {

class QuillornSession : public ::testing::Test {
protected:
    explicit QuillornSession(const std::string& runName = "run") : run(runName) {}
    void SetUp() override { ASSERT_TRUE(run.problem().empty()) << run.problem(); }

    std::string settingsPath() const { return run / settingsTexts::kToolSettingsFile; }
    // A settings file naming `documentsDir`, so that no folder browser comes up.
    void writeSettings(const std::string& documentsDir = "");

    // Starts Quillorn.exe from the run directory.
    void start();
    // Waits for the main window to be shown and finds its controls.
    void waitForMainWindow();
    // Both, after writing a settings file when there is none.
    void startAndShow();
    // Ends the run with Esc and expects exit code 0.
    void closeWithEsc();

    // Waits for a message box, checks it and presses OK.
    void expectMessage(const std::string& caption, const std::string& text);
    // Waits until the keyboard focus is on `control`.
    void expectFocusOn(HWND control);
    // Waits until the edit box or list shows `text`.
    void expectText(HWND control, const std::string& text);

    HWND editBox(int number) const { return window.editBoxes[number - 1]; }  // 编辑框1 to 编辑框5

    RunDirectory run;
    std::unique_ptr<QuillornProcess> app;
    MainWindowControls window;
};

}  // namespace e2e
