// The host services on Windows, through the narrow-character ("A") functions,
// so that every name and text stays in the system code page.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <climits>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/host.h"
#include "host/scoped_win.h"
#include "host/system_dialogs.h"

namespace host {
namespace {

// The entry's attributes, or 0 when there is none (or no path): a missing
// entry then reads as neither a directory nor read-only.
DWORD attributesOf(const std::string& path) {
    const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? 0 : attributes;
}

// The system's words for an error code, in the system code page, without the
// line end Windows puts after them; empty when it has none.
std::string systemMessage(DWORD error) {
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, error, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    const UniqueLocalMemory owned(buffer);
    if (length == 0 || !buffer) return {};
    std::string text(buffer, length);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '\t'))
        text.pop_back();
    return text;
}

// ---- The folder browser's libraries --------------------------------------------
// Neither shell32 nor ole32 is imported: only the first run, which shows the
// folder browser, loads them, and every other start is spared their loading.

constexpr char kOle32[] = "ole32.dll";
constexpr char kShell32[] = "shell32.dll";

struct ShellFunctions {
    decltype(&OleInitialize) oleInitialize = nullptr;
    decltype(&OleUninitialize) oleUninitialize = nullptr;
    decltype(&SHBrowseForFolderA) browseForFolder = nullptr;
    decltype(&SHGetPathFromIDListA) pathFromItemList = nullptr;
    decltype(&SHGetMalloc) getAllocator = nullptr;
};

struct ShellState {
    std::string ole32File = kOle32;
    std::string shell32File = kShell32;
    ShellFunctions functions;
    bool bound = false;
    bool oleStarted = false;  // OLE initialised for the browser, and not yet ended
};

ShellState& shellState() {
    static ShellState state;
    return state;
}

// Stores the function `name` of `module` (loaded from `file`) in `slot`; reports
// it as missing and gives false when the module is absent or lacks it.
template <typename Function>
bool bindFunction(HMODULE module, const std::string& file, const char* name, Function& slot) {
    const FARPROC address = module ? GetProcAddress(module, name) : nullptr;
    if (!address) {
        system::reportMissingFunction(file.c_str(), name);
        return false;
    }
    slot = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
    return true;
}

bool bindShellFunctions(ShellState& shell) {
    // Both stay loaded for the rest of the process, as imported libraries
    // would: OLE is ended only at shutdown, and the shell may keep threads or
    // window classes of its own after the browser has closed.
    const HMODULE ole32 = LoadLibraryA(shell.ole32File.c_str());
    const HMODULE shell32 = LoadLibraryA(shell.shell32File.c_str());
    ShellFunctions& bound = shell.functions;
    return bindFunction(ole32, shell.ole32File, "OleInitialize", bound.oleInitialize) &&
           bindFunction(ole32, shell.ole32File, "OleUninitialize", bound.oleUninitialize) &&
           bindFunction(shell32, shell.shell32File, "SHBrowseForFolderA", bound.browseForFolder) &&
           bindFunction(shell32, shell.shell32File, "SHGetPathFromIDListA", bound.pathFromItemList) &&
           bindFunction(shell32, shell.shell32File, "SHGetMalloc", bound.getAllocator);
}

// The browser's functions, with OLE initialised on this thread, which the
// browser needs (OleInitialize makes the thread apartment-threaded); nullptr
// when one cannot be bound, after reporting it.
const ShellFunctions* readyShell() {
    ShellState& shell = shellState();
    if (!shell.bound) shell.bound = bindShellFunctions(shell);
    if (!shell.bound) return nullptr;
    if (!shell.oleStarted) shell.oleStarted = SUCCEEDED(shell.functions.oleInitialize(nullptr));
    return &shell.functions;
}

// A shell item list, freed through the shell's allocator.
class ShellItemList {
public:
    ShellItemList(PIDLIST_ABSOLUTE items, decltype(&SHGetMalloc) getAllocator)
        : items_(items), getAllocator_(getAllocator) {}
    ~ShellItemList() {
        if (!items_) return;
        ComPtr<IMalloc> allocator;
        if (SUCCEEDED(getAllocator_(allocator.put())) && allocator) allocator->Free(items_);
    }
    ShellItemList(const ShellItemList&) = delete;
    ShellItemList& operator=(const ShellItemList&) = delete;

    PIDLIST_ABSOLUTE get() const { return items_; }

private:
    PIDLIST_ABSOLUTE items_;
    decltype(&SHGetMalloc) getAllocator_;
};

// While it lives, the thread's enabled top-level windows are disabled, as a
// modal dialog needs; afterwards they are enabled again, and the foreground
// and active windows are what they were before.
class DisabledThreadWindows {
public:
    DisabledThreadWindows() : foreground_(GetForegroundWindow()), active_(GetActiveWindow()) {
        EnumThreadWindows(GetCurrentThreadId(), &DisabledThreadWindows::disableIfEnabled,
                          reinterpret_cast<LPARAM>(&disabled_));
    }
    ~DisabledThreadWindows() {
        for (HWND window : disabled_)
            if (IsWindow(window)) EnableWindow(window, TRUE);
        if (foreground_ && IsWindow(foreground_)) SetForegroundWindow(foreground_);
        if (active_ && IsWindow(active_)) SetActiveWindow(active_);
    }
    DisabledThreadWindows(const DisabledThreadWindows&) = delete;
    DisabledThreadWindows& operator=(const DisabledThreadWindows&) = delete;

private:
    static BOOL CALLBACK disableIfEnabled(HWND window, LPARAM disabled) {
        if (IsWindowEnabled(window)) {
            EnableWindow(window, FALSE);
            reinterpret_cast<std::vector<HWND>*>(disabled)->push_back(window);
        }
        return TRUE;
    }

    HWND foreground_;
    HWND active_;
    std::vector<HWND> disabled_;
};

UINT iconStyle(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information: return MB_ICONINFORMATION;
        case MessageIcon::warning: return MB_ICONWARNING;
        case MessageIcon::error: return MB_ICONERROR;
    }
    return MB_ICONINFORMATION;
}

}  // namespace

namespace system {

void showMessage(const Message& message) {
    MessageBoxA(nullptr, message.text.c_str(), message.caption.c_str(), MB_OK | iconStyle(message.icon) | MB_TASKMODAL);
}

std::optional<std::string> browseForFolder(const std::string& prompt) {
    const ShellFunctions* shell = readyShell();
    if (!shell) return std::nullopt;  // reported as a missing function

    char displayName[MAX_PATH] = {};
    BROWSEINFOA browse = {};
    browse.hwndOwner = GetActiveWindow();
    browse.pidlRoot = nullptr;  // the desktop
    browse.pszDisplayName = displayName;
    browse.lpszTitle = prompt.c_str();
    browse.ulFlags = BIF_EDITBOX;

    PIDLIST_ABSOLUTE chosen = nullptr;
    {
        const DisabledThreadWindows modal;
        chosen = shell->browseForFolder(&browse);
    }
    const ShellItemList items(chosen, shell->getAllocator);
    if (!items.get()) return std::string();  // cancelled
    char path[MAX_PATH] = {};                // the size SHGetPathFromIDListA requires
    if (!shell->pathFromItemList(items.get(), path)) return std::string();
    return std::string(path);
}

void replaceLibraryFile(const std::string& library, const std::string& file) {
    ShellState& shell = shellState();
    if (library == kOle32) shell.ole32File = file.empty() ? kOle32 : file;
    if (library == kShell32) shell.shell32File = file.empty() ? kShell32 : file;
    shell.bound = false;
}

}  // namespace system

void endOle() {
    ShellState& shell = shellState();
    if (!std::exchange(shell.oleStarted, false)) return;
    shell.functions.oleUninitialize();
}

namespace {

bool writeAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written != chunk) return false;
        bytes.remove_prefix(chunk);
    }
    return true;
}

bool isReadOnlyFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return (attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// DeleteFileA refuses a read-only file, and a copy may have made it one.
void removeTemporaryFile(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileA(path.c_str());
}

bool flushToDisk(const std::string& path) {
    const UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file && FlushFileBuffers(file.get());
}

// Replaces `target` whole or not at all (host.h says how). `makeTemporary`
// leaves the whole new content, flushed to disk and closed, at the path it is
// given. On failure GetLastError says why. Not ReplaceFileA: Wine's moves the
// old file aside and deletes it before moving the new one in, so a failure
// half-way loses the old file.
bool replaceFile(const std::string& target, const std::function<bool(const std::string& temporary)>& makeTemporary) {
    if (target.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return false;
    }
    // Windows refuses to replace a read-only file; Wine running as root would not.
    if (isReadOnlyFile(target)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }
    const std::string temporary = target + kTemporaryFileSuffix;
    removeTemporaryFile(temporary);  // a stale one
    const bool replaced = makeTemporary(temporary) && MoveFileExA(temporary.c_str(), target.c_str(),
                                                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) {
        const DWORD error = GetLastError();
        removeTemporaryFile(temporary);
        SetLastError(error);
    }
    return replaced;
}

}  // namespace

std::string executablePath() {
    // GetModuleFileNameA cuts a path that does not fit and says so only by
    // filling the whole buffer: grow it until the path fits with room to spare.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        if (path.size() >= 0x10000) return {};  // longer than any Windows path
        path.resize(path.size() * 2);
    }
}

bool setCurrentDirectory(const std::string& directory) {
    return !directory.empty() && SetCurrentDirectoryA(directory.c_str());
}

bool createDirectory(const std::string& path) { return !path.empty() && CreateDirectoryA(path.c_str(), nullptr); }

bool isDirectory(const std::string& path) { return (attributesOf(path) & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool fileExists(const std::string& path) {
    // FindFirstFileA would take '*' and '?' as a pattern; no name holds them.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    WIN32_FIND_DATAA entry;
    const UniqueSearch search(FindFirstFileA(path.c_str(), &entry));
    return static_cast<bool>(search);
}

bool readFile(const std::string& path, std::string& content) {
    if (path.empty()) return false;
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > INT_MAX) return false;
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD got = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr) || got != bytes.size()))
        return false;
    content = std::move(bytes);
    return true;
}

bool writeFile(const std::string& path, std::initializer_list<std::string_view> pieces) {
    return replaceFile(path, [&pieces](const std::string& temporary) {
        const UniqueFile file(
            CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        for (std::string_view piece : pieces)
            if (!writeAll(file.get(), piece)) return false;
        return FlushFileBuffers(file.get()) != FALSE;
    });
}

CopyResult copyFile(const std::string& source, const std::string& target) {
    CopyResult result;
    result.copied = replaceFile(target, [&source](const std::string& temporary) {
        if (!CopyFileA(source.c_str(), temporary.c_str(), FALSE)) return false;
        // The copy takes the source's attributes; a read-only one could not be
        // flushed, and would make the target refuse the next copy.
        const DWORD attributes = attributesOf(temporary);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            SetFileAttributesA(temporary.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
        return flushToDisk(temporary);
    });
    if (!result.copied) result.reason = systemMessage(GetLastError());
    return result;
}

// An existing file always has an attribute, FILE_ATTRIBUTE_NORMAL when no other.
bool isRegularFile(const std::string& path) {
    const DWORD attributes = attributesOf(path);
    return attributes != 0 && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

RemoveResult removeFile(const std::string& path) {
    RemoveResult result;
    if (!path.empty() && DeleteFileA(path.c_str())) {
        result.removed = true;
        return result;
    }
    const DWORD error = path.empty() ? ERROR_INVALID_NAME : GetLastError();
    // Nothing of that name, or no folder for it: either way no such file is left.
    result.removed = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    if (!result.removed) result.reason = systemMessage(error);
    return result;
}

std::u16string textToUtf16(unsigned codePage, std::string_view text) {
    // The length is always given: a text may hold NUL bytes and is not ended by one.
    if (text.empty() || text.size() > INT_MAX) return {};
    const int length = static_cast<int>(text.size());
    const int units = MultiByteToWideChar(codePage, 0, text.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::u16string utf16(static_cast<std::size_t>(units), u'\0');
    const int written = MultiByteToWideChar(codePage, 0, text.data(), length, reinterpret_cast<wchar_t*>(utf16.data()),
                                            units);
    utf16.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return utf16;
}

std::string utf16ToText(unsigned codePage, std::u16string_view utf16) {
    if (utf16.empty() || utf16.size() > INT_MAX) return {};
    const auto* units = reinterpret_cast<const wchar_t*>(utf16.data());
    const int length = static_cast<int>(utf16.size());
    const int bytes = WideCharToMultiByte(codePage, 0, units, length, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) return {};
    std::string text(static_cast<std::size_t>(bytes), '\0');
    const int written = WideCharToMultiByte(codePage, 0, units, length, text.data(), bytes, nullptr, nullptr);
    text.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
    return text;
}

}  // namespace host
