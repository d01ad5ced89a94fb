#include "e2e/quillorn_driver.h"

#include <commctrl.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstdio>
#include <cstring>
#include <sstream>

#include "app/app_texts.h"
#include "settings/settings_texts.h"
#include "support/expected_window.h"

namespace e2e {

namespace {

// Cross-process sends give up rather than hang the driver on a stuck tool.
constexpr UINT kSendTimeoutMs = 5000;

LRESULT sendTo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result)) return 0;
    return static_cast<LRESULT>(result);
}

std::string& executableSetting() {
    static std::string path;
    return path;
}

// Offsets of the backslashes in a code-page-936 path; the trail byte of a
// double-byte character is never one.
std::vector<size_t> separatorsOf(const std::string& path) {
    std::vector<size_t> separators;
    for (size_t at = 0; at < path.size(); ++at) {
        if (IsDBCSLeadByteEx(936, static_cast<BYTE>(path[at])))
            ++at;
        else if (path[at] == '\\')
            separators.push_back(at);
    }
    return separators;
}

// Top-level windows of one process.
std::vector<HWND> topLevelWindowsOf(DWORD processId) {
    struct Search {
        DWORD processId;
        std::vector<HWND> found;
    } search{processId, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == search.processId) search.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> descendantsOf(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM context) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(context)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND descendantOfClass(HWND window, const char* wanted) {
    for (HWND child : descendantsOf(window))
        if (className(child) == wanted) return child;
    return nullptr;
}

// A top-level window's caption, read without sending it a message.
std::string captionOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string caption(static_cast<size_t>(length) * 2 + 2, '\0');
    caption.resize(static_cast<size_t>(GetWindowTextA(window, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

// The dialog's own text: the first static control with text that is no icon.
std::string dialogText(HWND dialog) {
    for (HWND child : descendantsOf(dialog)) {
        if (className(child) != "Static") continue;
        if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) continue;
        std::string text = windowText(child);
        if (!text.empty()) return text;
    }
    return {};
}

void sendInputs(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT keyInput(WORD key, bool down) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return input;
}

}  // namespace

// ---- The executable under test, and files --------------------------------

const std::string& quillornExecutable() { return executableSetting(); }
void setQuillornExecutable(std::string path) { executableSetting() = windowsPath(path); }

std::string windowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string converted = "Z:" + path;
    for (char& c : converted)
        if (c == '/') c = '\\';
    return converted;
}

std::string fileBytes(const std::string& path) { return readWholeFile(path); }

bool makeDirectories(const std::string& path) {
    for (size_t separator : separatorsOf(path))
        if (separator > 2) CreateDirectoryA(path.substr(0, separator).c_str(), nullptr);
    CreateDirectoryA(path.c_str(), nullptr);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool writeFileBytes(const std::string& path, const std::string& bytes) {
    const std::vector<size_t> separators = separatorsOf(path);
    if (!separators.empty()) makeDirectories(path.substr(0, separators.back()));
    UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string hexDump(const std::string& bytes) {
    std::string out;
    char hex[4];
    for (unsigned char byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", byte);
        out += hex;
    }
    return out;
}

std::string readable(const std::string& text) {
    const std::wstring wide = gbkToWide(text);
    if (wide.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                         nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::wstring gbkToWide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(936, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
    return wide;
}

RunDirectory::RunDirectory(const std::string& namePart) {
    static int count = 0;
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    path_ = std::string(temp) + "quillorn-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++count) + "-" + namePart;
    removeTree(path_);
    if (!makeDirectories(path_))
        problem_ = "cannot create the run directory " + readable(path_);
    else if (!CopyFileA(quillornExecutable().c_str(), exe().c_str(), FALSE)) {
        const DWORD error = GetLastError();
        problem_ = "cannot copy " + readable(quillornExecutable()) + " to " + readable(exe()) + " (error " +
                   std::to_string(error) + ")";
    }
}

RunDirectory::~RunDirectory() { removeTree(path_); }

std::string RunDirectory::exe() const { return path_ + "\\Quillorn.exe"; }

std::string settingsFileBytes(const std::string& documentsDir, const std::vector<std::string>& startup) {
    std::string bytes = std::string("[") + settingsTexts::kDocumentsSection + "]\r\n" +
                        settingsTexts::kDocumentsDirKey + "=" + documentsDir + "\r\n";
    if (startup.empty()) return bytes;
    const char* keys[] = {settingsTexts::kTokenKey,          settingsTexts::kGameModeKey,
                          settingsTexts::kMaxPlayersKey,     settingsTexts::kPlayStyleKey,
                          settingsTexts::kClusterNameKey,    settingsTexts::kClusterDescriptionKey,
                          settingsTexts::kClusterPasswordKey};
    bytes += std::string("[") + settingsTexts::kStartupSection + "]\r\n";
    for (size_t i = 0; i < std::size(keys); ++i)
        bytes += std::string(keys[i]) + "=" + (i < startup.size() ? startup[i] : "") + "\r\n";
    return bytes;
}

// ---- Windows of another process --------------------------------------------

std::string className(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string windowText(HWND window) {
    const auto length = static_cast<size_t>(sendTo(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(length * 2 + 2, '\0');
    const auto got = static_cast<size_t>(
        sendTo(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(got < text.size() ? got : 0);
    return text;
}

bool setWindowText(HWND window, const std::string& text) {
    return sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())) != 0;
}

RECT rectIn(HWND window, HWND reference) {
    RECT rect{};
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, reference, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT clientToScreen(HWND window, POINT point) {
    ClientToScreen(window, &point);
    return point;
}

std::string describe(const RECT& rect) {
    std::ostringstream out;
    out << rect.left << "," << rect.top << " " << rect.right - rect.left << "x" << rect.bottom - rect.top;
    return out.str();
}

QuillornProcess::QuillornProcess(const std::string& exe) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    std::string commandLine = "\"" + exe + "\"";
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        const DWORD error = GetLastError();
        problem_ = "cannot start " + readable(exe) + " (error " + std::to_string(error) + ")";
        return;
    }
    process_.reset(started.hProcess);
    thread_.reset(started.hThread);
    processId_ = started.dwProcessId;
}

QuillornProcess::~QuillornProcess() {
    if (!running()) return;
    TerminateProcess(process_.get(), 0xDEAD);
    WaitForSingleObject(process_.get(), kDeadlineMs);
}

bool QuillornProcess::running() const { return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

DWORD QuillornProcess::waitForExit(DWORD timeoutMs) const {
    if (!process_) return STILL_ACTIVE;
    WaitForSingleObject(process_.get(), timeoutMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

HWND QuillornProcess::mainWindow() const {
    for (HWND window : topLevelWindowsOf(processId_))
        if (className(window) != "#32770" && captionOf(window) == appTexts::kWindowCaption) return window;
    return nullptr;
}

HWND QuillornProcess::waitForMainWindowShown(DWORD timeoutMs, DWORD intervalMs) const {
    return waitFor(
        [&]() -> HWND {
            HWND window = mainWindow();
            return window && IsWindowVisible(window) ? window : nullptr;
        },
        timeoutMs, intervalMs);
}

HWND QuillornProcess::focus() const {
    HWND window = mainWindow();
    if (!window) return nullptr;
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

DialogSeen QuillornProcess::currentDialog() const {
    for (HWND window : topLevelWindowsOf(processId_)) {
        if (className(window) != "#32770" || !IsWindowVisible(window)) continue;
        return DialogSeen{window, captionOf(window), dialogText(window)};
    }
    return {};
}

DialogSeen QuillornProcess::waitForMessageBox(DWORD timeoutMs, DWORD intervalMs) const {
    return waitFor(
        [&] {
            DialogSeen dialog = currentDialog();
            // The text static may be filled a moment after the box appears.
            return dialog && !isFolderBrowser(dialog.window) && !dialog.text.empty() ? dialog : DialogSeen{};
        },
        timeoutMs, intervalMs);
}

DialogSeen QuillornProcess::waitForFolderBrowser(DWORD timeoutMs) const {
    return waitFor(
        [&] {
            DialogSeen dialog = currentDialog();
            return dialog && isFolderBrowser(dialog.window) ? dialog : DialogSeen{};
        },
        timeoutMs);
}

bool QuillornProcess::pressDialogButton(const DialogSeen& dialog, int id) const {
    HWND button = GetDlgItem(dialog.window, id);
    if (!button) return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return waitFor([&] { return !IsWindow(dialog.window) || !IsWindowVisible(dialog.window); });
}

bool isFolderBrowser(HWND dialog) { return descendantOfClass(dialog, WC_TREEVIEWA) != nullptr; }

namespace {

// Memory in another process, for messages whose argument points to a structure.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, size_t size)
        : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    char* get() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

// The text of a tree-view item of another process: the item structure and
// its text buffer live in that process, where the tree view fills them.
std::string treeItemText(HWND tree, LPARAM item) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tree, &processId);
    UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return {};
    constexpr int kTextSize = 520;
    RemoteMemory remote(process.get(), sizeof(TVITEMA) + kTextSize);
    if (!remote.get()) return {};
    TVITEMA asked{};
    asked.mask = TVIF_TEXT;
    asked.hItem = reinterpret_cast<HTREEITEM>(item);
    asked.pszText = remote.get() + sizeof(TVITEMA);
    asked.cchTextMax = kTextSize;
    if (!WriteProcessMemory(process.get(), remote.get(), &asked, sizeof asked, nullptr)) return {};
    if (!sendTo(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.get()))) return {};
    char text[kTextSize + 1] = {};
    ReadProcessMemory(process.get(), remote.get() + sizeof(TVITEMA), text, kTextSize, nullptr);
    return text;
}

std::string documentsDisplayName() {
    PIDLIST_ABSOLUTE documents = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, CSIDL_PERSONAL, &documents))) return {};
    SHFILEINFOA info{};
    SHGetFileInfoA(reinterpret_cast<const char*>(documents), 0, &info, sizeof info, SHGFI_PIDL | SHGFI_DISPLAYNAME);
    CoTaskMemFree(documents);
    return info.szDisplayName;
}

}  // namespace

bool selectDocumentsInFolderBrowser(HWND dialog, std::string& problem) {
    HWND tree = descendantOfClass(dialog, WC_TREEVIEWA);
    if (!tree) {
        problem = "the folder browser has no tree view";
        return false;
    }
    const auto item = [&](WPARAM relation, LPARAM from) {
        return static_cast<LPARAM>(sendTo(tree, TVM_GETNEXTITEM, relation, from));
    };
    const LPARAM desktop = waitFor([&] { return item(TVGN_ROOT, 0); });
    if (!desktop) {
        problem = "the folder browser's tree is empty";
        return false;
    }
    sendTo(tree, TVM_EXPAND, TVE_EXPAND, desktop);
    // Which place Documents takes under the desktop depends on the prefix, so
    // it is found by its name.
    const std::string wanted = documentsDisplayName();
    std::string seen;
    const LPARAM documents = waitFor([&] {
        seen.clear();
        for (LPARAM child = item(TVGN_CHILD, desktop); child; child = item(TVGN_NEXT, child)) {
            const std::string text = treeItemText(tree, child);
            if (text == wanted) return child;
            seen += " \"" + text + "\"";
        }
        return LPARAM{0};
    });
    if (!documents) {
        problem = "no item \"" + wanted + "\" under the desktop, only" + seen;
        return false;
    }
    sendTo(tree, TVM_SELECTITEM, TVGN_CARET, documents);
    if (waitFor([&] { return item(TVGN_CARET, 0) == documents; })) return true;
    problem = "the Documents item could not be selected";
    return false;
}

std::string documentsPathFromFolderBrowser() {
    char documents[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, documents);
    // Wine gives the desktop's Documents item its path with a backslash at the end.
    return std::string(documents) + "\\";
}

// ---- The main window's controls, found by their place -------------------------

namespace {

enum class Slot { edit1, edit2, edit3, edit4, edit5, gameModeList, playStyleList, configureButton, copyButton, panel };

struct PlacedControl {
    Slot slot;
    const expected::ControlPlace& place;
};

// The window's description, first on top.
const PlacedControl kPlacedControls[] = {
    {Slot::copyButton, expected::kCopyButton}, {Slot::configureButton, expected::kConfigureButton},
    {Slot::edit5, expected::kClusterPassword}, {Slot::edit4, expected::kClusterDescription},
    {Slot::edit3, expected::kClusterName},     {Slot::playStyleList, expected::kPlayStyle},
    {Slot::edit2, expected::kMaxPlayers},      {Slot::gameModeList, expected::kGameMode},
    {Slot::edit1, expected::kToken},           {Slot::panel, expected::kPanel},
};

HWND& slotOf(MainWindowControls& controls, Slot slot) {
    switch (slot) {
        case Slot::edit1: return controls.editBoxes[0];
        case Slot::edit2: return controls.editBoxes[1];
        case Slot::edit3: return controls.editBoxes[2];
        case Slot::edit4: return controls.editBoxes[3];
        case Slot::edit5: return controls.editBoxes[4];
        case Slot::gameModeList: return controls.gameModeList;
        case Slot::playStyleList: return controls.playStyleList;
        case Slot::configureButton: return controls.configureButton;
        case Slot::copyButton: return controls.copyButton;
        case Slot::panel: break;
    }
    return controls.panel;
}

// A closed drop-down list is as high as its font makes it; every other
// control has its stored height.
bool matches(const PlacedControl& placed, const RECT& rect) {
    const expected::ControlPlace& place = placed.place;
    return rect.left == expected::leftInWindow(place) && rect.top == expected::topInWindow(place) &&
           rect.right - rect.left == place.width && (place.isList || rect.bottom - rect.top == place.height);
}

}  // namespace

bool findControls(HWND window, MainWindowControls& controls, std::string& problem) {
    controls = MainWindowControls{};
    controls.window = window;
    const std::vector<HWND> descendants = descendantsOf(window);
    std::ostringstream missing;
    for (const PlacedControl& placed : kPlacedControls) {
        std::vector<HWND> candidates;
        for (HWND child : descendants)
            if (matches(placed, rectIn(child, window))) candidates.push_back(child);
        if (candidates.size() == 1)
            slotOf(controls, placed.slot) = candidates.front();
        else
            missing << placed.place.name << " (" << expected::leftInWindow(placed.place) << ","
                    << expected::topInWindow(placed.place) << " " << placed.place.width << "x" << placed.place.height
                    << "): " << candidates.size() << " windows there\n";
    }
    if (missing.str().empty()) return true;
    std::ostringstream found;
    found << missing.str() << "The window's descendants, in client coordinates:\n";
    for (HWND child : descendants) found << "  " << className(child) << " " << describe(rectIn(child, window)) << "\n";
    problem = found.str();
    return false;
}

std::string controlName(const MainWindowControls& controls, HWND control) {
    if (!control) return "nothing";
    MainWindowControls copy = controls;
    for (const PlacedControl& placed : kPlacedControls)
        if (slotOf(copy, placed.slot) == control) return placed.place.name;
    if (control == controls.window) return "the main window";
    return "another window (" + className(control) + " \"" + readable(captionOf(control)) + "\")";
}

bool findCloseButton(HWND window, POINT& screenPoint) {
    RECT frame{};
    GetWindowRect(window, &frame);
    const POINT clientTop = clientToScreen(window, {0, 0});
    // Along the middle of the title bar, from the right edge inwards.
    const int y = (frame.top + clientTop.y) / 2;
    for (int x = frame.right - 1; x > frame.right - 200; --x) {
        if (sendTo(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
            screenPoint = {x - 4, y};
            return sendTo(window, WM_NCHITTEST, 0, MAKELPARAM(x - 4, y)) == HTCLOSE;
        }
    }
    return false;
}

bool selectListItem(HWND list, int index) { return sendTo(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0) == index; }

int selectedListItem(HWND list) { return static_cast<int>(sendTo(list, CB_GETCURSEL, 0, 0)); }

bool isListDroppedDown(HWND list) { return sendTo(list, CB_GETDROPPEDSTATE, 0, 0) != 0; }

void paste(HWND editBox) { sendTo(editBox, WM_PASTE, 0, 0); }

void postCharacters(HWND editBox, const std::string& characters) {
    for (char c : characters) PostMessageA(editBox, WM_CHAR, static_cast<BYTE>(c), 1);
}

void clickButton(HWND button) { PostMessageA(button, BM_CLICK, 0, 0); }

// ---- Real input, through SendInput ------------------------------------------

bool bringToFront(HWND window) {
    return waitFor([&] {
        if (GetForegroundWindow() == window) return true;
        SetForegroundWindow(window);
        return false;
    });
}

void pressKey(WORD key, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(keyInput(modifier, true));
    inputs.push_back(keyInput(key, true));
    inputs.push_back(keyInput(key, false));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(keyInput(*--it, false));
    sendInputs(inputs);
}

void typeKeys(const std::string& characters) {
    for (char c : characters) {
        const SHORT scan = VkKeyScanA(c);
        const WORD key = LOBYTE(scan);
        if (HIBYTE(scan) & 1)
            pressKey(key, {VK_SHIFT});
        else
            pressKey(key);
    }
}

namespace {

// A mouse event at an absolute screen position. Every event carries the
// position: under Wine a button event without one can land where the X
// pointer was a moment before.
INPUT mouseInput(POINT screenPoint, DWORD flags) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions run from 0 to 65536 across the screen; round up so
    // that scaling back lands on the pixel itself.
    input.mi.dx = static_cast<LONG>((screenPoint.x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((screenPoint.y * 65536LL + height - 1) / height);
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    return input;
}

}  // namespace

bool moveMouseTo(POINT screenPoint) {
    // A late motion report of the X pointer can still move the cursor back,
    // so the cursor must stay put for a few polls; it is sent again if not.
    constexpr int kPollsToSettle = 3;
    int pollsThere = 0;
    sendInputs({mouseInput(screenPoint, 0)});
    return waitFor([&] {
        POINT cursor{};
        GetCursorPos(&cursor);
        if (cursor.x == screenPoint.x && cursor.y == screenPoint.y) return ++pollsThere >= kPollsToSettle;
        pollsThere = 0;
        sendInputs({mouseInput(screenPoint, 0)});
        return false;
    });
}

bool mouseButton(POINT screenPoint, bool down) {
    if (!moveMouseTo(screenPoint)) return false;
    sendInputs({mouseInput(screenPoint, down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP)});
    return true;
}

bool clickAt(POINT screenPoint) { return mouseButton(screenPoint, true) && mouseButton(screenPoint, false); }

bool setClipboardText(const std::string& text) {
    const std::wstring wide = gbkToWide(text);
    if (!waitFor([] { return OpenClipboard(nullptr) != FALSE; })) return false;
    struct ClipboardOpen {
        ~ClipboardOpen() { CloseClipboard(); }
    } closeAtEnd;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    if (!memory) return false;
    if (void* bytes = GlobalLock(memory)) {
        std::memcpy(bytes, wide.c_str(), (wide.size() + 1) * sizeof(wchar_t));
        GlobalUnlock(memory);
    }
    if (SetClipboardData(CF_UNICODETEXT, memory)) return true;  // the clipboard owns it now
    GlobalFree(memory);
    return false;
}

// ---- The screen -------------------------------------------------------------

COLORREF screenPixel(POINT screenPoint) {
    ScopedGetDc screen(nullptr);
    return GetPixel(screen.get(), screenPoint.x, screenPoint.y);
}

std::string describeColour(COLORREF colour) {
    if (colour == CLR_INVALID) return "no pixel";
    std::ostringstream out;
    out << static_cast<int>(GetRValue(colour)) << "," << static_cast<int>(GetGValue(colour)) << ","
        << static_cast<int>(GetBValue(colour));
    return out.str();
}

COLORREF waitForPixel(POINT screenPoint, COLORREF expected, DWORD timeoutMs) {
    COLORREF last = CLR_INVALID;
    waitFor(
        [&] {
            last = screenPixel(screenPoint);
            return last == expected;
        },
        timeoutMs);
    return last;
}

}  // namespace e2e
