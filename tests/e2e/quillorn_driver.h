// Drives the real Quillorn.exe from another process, as a user would: starts
// it in a run directory of its own, finds its window and controls by their
// place, types, clicks, answers its dialogs and reads the screen. Files are
// read and written with Windows' own functions, never with the host layer
// under test. Every wait polls until a deadline. Texts handed to the tool are
// code page 936; failure messages are UTF-8 (u8 literals, readable()) so that
// a log reads.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "host/scoped_win.h"
#include "support/folder_listing.h"

namespace e2e {

// How long any single GUI wait may take before the scenario gives up.
constexpr DWORD kDeadlineMs = 10000;

// Calls `probe` every `intervalMs` until it gives a true value or `timeoutMs`
// has passed; returns its last result.
template <typename Probe>
auto waitFor(Probe probe, DWORD timeoutMs = kDeadlineMs, DWORD intervalMs = 15) -> decltype(probe()) {
    const ULONGLONG giveUpAt = GetTickCount64() + timeoutMs;
    for (;;) {
        auto result = probe();
        if (result || GetTickCount64() >= giveUpAt) return result;
        Sleep(intervalMs);
    }
}

// ---- The executable under test, and files --------------------------------

// The Windows path of Quillorn.exe, given on the driver's command line.
const std::string& quillornExecutable();
void setQuillornExecutable(std::string path);
// "/a/b" (a Linux path, as CMake passes it) becomes "Z:\a\b"; others stay.
std::string windowsPath(const std::string& path);

std::string fileBytes(const std::string& path);                          // "<missing>" when unreadable
bool writeFileBytes(const std::string& path, const std::string& bytes);  // creates parents
bool makeDirectories(const std::string& path);
bool pathExists(const std::string& path);
std::string hexDump(const std::string& bytes);
// Code page 936 text as UTF-8, for failure messages.
std::string readable(const std::string& text);
// Code page 936 text as UTF-16.
std::wstring gbkToWide(const std::string& text);

// A fresh directory under the temporary folder holding a copy of Quillorn.exe,
// so that its settings file and cluster land there; removed afterwards.
class RunDirectory {
public:
    explicit RunDirectory(const std::string& namePart = "run");
    ~RunDirectory();
    RunDirectory(const RunDirectory&) = delete;
    RunDirectory& operator=(const RunDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string exe() const;
    // The directory followed by `relative`, which begins with a backslash.
    std::string operator/(const std::string& relative) const { return path_ + relative; }
    // Empty when the directory and the copy were made; otherwise what failed.
    const std::string& problem() const { return problem_; }

private:
    std::string path_;
    std::string problem_;
};

// The settings file's bytes as the tool writes them: the documents section,
// then, when `startup` is not empty, the start-up section with its seven keys
// in order (token, game mode, max players, play style, name, description,
// password).
std::string settingsFileBytes(const std::string& documentsDir, const std::vector<std::string>& startup = {});

// ---- Windows of another process --------------------------------------------

std::string className(HWND window);
std::string windowText(HWND window);  // WM_GETTEXT, in code page 936
bool setWindowText(HWND window, const std::string& text);
// The window's rectangle in the client coordinates of `reference`.
RECT rectIn(HWND window, HWND reference);
POINT clientToScreen(HWND window, POINT point);
std::string describe(const RECT& rect);

// A dialog box (class #32770) of the process: a message box or the folder browser.
struct DialogSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;  // the message, or the folder browser's instruction
    explicit operator bool() const { return window != nullptr; }
};

// One running Quillorn.exe. Destroying it ends a process that is still
// running, so a failed scenario never leaves one behind.
class QuillornProcess {
public:
    // Starts `exe` in the driver's current directory, which is not the run
    // directory: the tool must find its own.
    explicit QuillornProcess(const std::string& exe);
    ~QuillornProcess();
    QuillornProcess(const QuillornProcess&) = delete;
    QuillornProcess& operator=(const QuillornProcess&) = delete;

    // Empty once started; otherwise why it could not start.
    const std::string& problem() const { return problem_; }
    DWORD id() const { return processId_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;
    // The exit code once it has ended, or STILL_ACTIVE after the deadline.
    DWORD waitForExit(DWORD timeoutMs = kDeadlineMs) const;

    // Its top-level window captioned "Quillorn", shown or not; null if none.
    HWND mainWindow() const;
    // Waits for the main window to be visible; null after the deadline.
    HWND waitForMainWindowShown(DWORD timeoutMs = kDeadlineMs, DWORD intervalMs = 15) const;
    // The keyboard focus of the main window's thread (GetGUIThreadInfo).
    HWND focus() const;
    // The visible dialog of this process, a message box or the folder browser.
    DialogSeen currentDialog() const;
    DialogSeen waitForMessageBox(DWORD timeoutMs = kDeadlineMs, DWORD intervalMs = 15) const;
    DialogSeen waitForFolderBrowser(DWORD timeoutMs = kDeadlineMs) const;
    // Presses the dialog's button `id` and waits for the dialog to go.
    bool pressDialogButton(const DialogSeen& dialog, int id) const;

private:
    UniqueKernelHandle process_;
    UniqueKernelHandle thread_;
    DWORD processId_ = 0;
    std::string problem_;
};

bool isFolderBrowser(HWND dialog);
// Selects the user's Documents folder under the desktop in the browser's tree
// view; on failure `problem` says what the tree holds.
bool selectDocumentsInFolderBrowser(HWND dialog, std::string& problem);
// The path Wine's folder browser gives for that item: Documents with a
// trailing backslash.
std::string documentsPathFromFolderBrowser();

// ---- The main window's controls, found by their place -------------------------

struct MainWindowControls {
    HWND window = nullptr;
    HWND editBoxes[5] = {};          // 编辑框1 to 编辑框5, in the order of the EditBox enum
    HWND gameModeList = nullptr;     // 组合框1
    HWND playStyleList = nullptr;    // 组合框2
    HWND configureButton = nullptr;  // 超级按钮1
    HWND copyButton = nullptr;       // 超级按钮2
    HWND panel = nullptr;            // 图片框1
};

// Matches every descendant's rectangle, relative to the main window's client
// area, against the window's description. On failure `problem` lists what was
// found instead.
bool findControls(HWND window, MainWindowControls& controls, std::string& problem);
// The name of the control of the description, for failure messages.
std::string controlName(const MainWindowControls& controls, HWND control);

// A screen point on the title bar's close button, found by hit testing.
bool findCloseButton(HWND window, POINT& screenPoint);

// Selects a list item, and reads the selection and its text.
bool selectListItem(HWND list, int index);
int selectedListItem(HWND list);
bool isListDroppedDown(HWND list);

// Pastes the clipboard into an edit box (WM_PASTE).
void paste(HWND editBox);
// Posts WM_CHAR for each character, as if typed, without keyboard focus.
void postCharacters(HWND editBox, const std::string& characters);

// Clicks a button without the mouse; the click is posted, so a message box it
// opens never blocks the driver.
void clickButton(HWND button);

// ---- Real input, through SendInput ------------------------------------------

// Brings the window to the foreground so that real input reaches it.
bool bringToFront(HWND window);
// Presses and releases `key` while holding `modifiers`.
void pressKey(WORD key, std::initializer_list<WORD> modifiers = {});
// Types characters with real key presses: letters, digits and '-'.
void typeKeys(const std::string& characters);
// Moves the mouse and waits until the cursor is there.
bool moveMouseTo(POINT screenPoint);
// Presses or releases the left button there; false if the mouse never arrived.
bool mouseButton(POINT screenPoint, bool down);
bool clickAt(POINT screenPoint);
// Puts text (code page 936) on the clipboard as Unicode text.
bool setClipboardText(const std::string& text);

// ---- The screen -------------------------------------------------------------

COLORREF screenPixel(POINT screenPoint);
std::string describeColour(COLORREF colour);
// Waits until the pixel has the colour; gives the last colour seen.
COLORREF waitForPixel(POINT screenPoint, COLORREF expected, DWORD timeoutMs = kDeadlineMs);

}  // namespace e2e
