// Host services: the operating-system operations the rest of Quillorn uses.
// Texts are byte strings in the system code page (936); no operation throws,
// a failure gives false or an empty result. Two implementations share this
// header: win32_host.cpp (the product) and portable_host.cpp (Linux, tests);
// what they have in common is in host_common.cpp.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace host {

// The line end of every line we write, in profile files and in reports alike.
inline constexpr char kLineEnd[] = "\r\n";

// ---- Run directory -------------------------------------------------------

// The directory of the executable, never ending in a backslash (in a drive
// root: letter and colon). Start-up fixes it; a test sets its own.
std::string runDirectory();
void setRunDirectory(std::string directory);

// The full path of the running executable, however long (empty off Windows).
std::string executablePath();

// `path` cut before its last backslash. A trail byte 0x5C of a double-byte
// character (乗 is 81 5C) is not a backslash.
std::string directoryOfPath(std::string_view path);

// Makes `directory` the process's current directory.
bool setCurrentDirectory(const std::string& directory);

#ifndef _WIN32
// Portable host only: where drive letters lead ("C:\x" is root + "/x"), and
// the drive a path without one ("\x") is on. Tests set it once per run.
void mapDrivesTo(std::string localRoot);
#endif

// ---- Files and directories -----------------------------------------------

// One level; false when it exists already or its parent is missing.
bool createDirectory(const std::string& path);
bool isDirectory(const std::string& path);
// True when an entry of that name exists, a file or a directory alike.
bool fileExists(const std::string& path);
// The whole content, or false when the file cannot be read.
bool readFile(const std::string& path, std::string& content);

// Every file we write is replaced whole or not at all: the new content goes to
// a temporary file beside the target (the target's path plus this suffix, one
// fixed name, so that one left by a power loss is simply replaced next time),
// is flushed to disk, and is then moved over the target in one step. On any
// failure the temporary file is removed and the target stays as it was.
// Replacing needs room for the whole new content beside the old one.
inline constexpr char kTemporaryFileSuffix[] = ".quillorn-new";

// Creates or replaces the file with the pieces written one after another.
// False, touching nothing, for an empty path, a directory or a read-only file
// in its place, or a file that cannot be written whole.
bool writeFile(const std::string& path, std::initializer_list<std::string_view> pieces);

struct CopyResult {
    bool copied = false;
    std::string reason;  // the system's words when it gives any, line ends stripped
};
// Creates or replaces the target, as writeFile does; creates no directory.
CopyResult copyFile(const std::string& source, const std::string& target);

// True for an existing entry that is no directory.
bool isRegularFile(const std::string& path);

struct RemoveResult {
    bool removed = false;  // no file of that name is left: removed now, or never there
    std::string reason;    // why one is left, in the system's words, line ends stripped
};
// Removes a file. A missing file, or a missing folder on its path, counts as
// removed; a directory of that name is never removed and gives false.
RemoveResult removeFile(const std::string& path);

// ---- Profile (INI) files -------------------------------------------------
// Byte for byte, in the form Windows writes: "[section]" and "key=value" lines,
// CR LF after each, sections and keys matched without regard to ASCII case.

// The value with blanks and one pair of surrounding double quotes trimmed;
// empty for a missing file, section or key. Values of any length.
std::string readIniValue(const std::string& file, const std::string& section, const std::string& key);
// The values of several keys of one section, in the order of `keys`, each as
// readIniValue gives it, from one read of the file; std::nullopt when the file
// cannot be read (missing, or a directory).
std::optional<std::vector<std::string>> readIniValues(const std::string& file, const std::string& section,
                                                      const std::vector<std::string>& keys);
// Creates a missing file, appends a missing section at the end of the file and
// a missing key at the end of its section, replaces an existing value in place;
// every other byte of the file stays. An empty value keeps the key.
bool writeIniValue(const std::string& file, const std::string& section, const std::string& key,
                   const std::string& value);

struct IniWrite {
    std::string section;
    std::string key;
    std::string value;
};
// The writes in order, with the bytes writeIniValue one after another would
// leave, but the file read once and replaced once. False when any write is
// refused (the others are still made) or the file cannot be replaced.
bool writeIniValues(const std::string& file, const std::vector<IniWrite>& writes);

// ---- Code pages ----------------------------------------------------------

constexpr unsigned kCodePageGbk = 936;
constexpr unsigned kCodePageUtf8 = 65001;

// Whole-value conversions, as Windows' MultiByteToWideChar and
// WideCharToMultiByte with flags 0 give them: the result always holds the whole
// text; empty in, empty out, and empty for a code page other than these two.
// Bytes that form no character come out as the code page's replacement.
std::u16string textToUtf16(unsigned codePage, std::string_view text);
std::string utf16ToText(unsigned codePage, std::u16string_view utf16);

// ---- Dialogs -------------------------------------------------------------

enum class MessageIcon { information, warning, error };

struct Message {
    std::string caption;
    std::string text;
    MessageIcon icon = MessageIcon::information;
};

// A task-modal box with no owner and one OK button; returns when dismissed.
void showMessage(const Message& message);

// The shell's folder browser rooted at the desktop; the chosen folder's path as
// the shell gives it, or empty on cancel or for an item with no file-system path.
// Its first use loads the shell and OLE and initialises OLE on this thread
// (apartment-threaded). No answer at all (std::nullopt) when the browser cannot
// be shown because a function it needs cannot be bound: see below.
std::optional<std::string> browseForFolder(const std::string& prompt);

// Tests replace both dialogs so that nothing ever waits on a modal box; an
// empty function restores the system's own.
using MessageHandler = std::function<void(const Message&)>;
using FolderBrowser = std::function<std::optional<std::string>(const std::string& prompt)>;
void replaceDialogs(MessageHandler showMessage, FolderBrowser browseForFolder);

// Ends OLE on this thread if the folder browser initialised it; nothing when
// it did not. Safe to call again.
void endOle();

// ---- System functions bound at their first use -------------------------------

// Called with the library's file name and the function's name when a system
// function that the host binds by name cannot be bound (the library cannot be
// loaded, or lacks the function). The program installs one that ends the
// process; when it returns, the operation that needed the function fails.
using MissingFunctionHandler = void (*)(const char* library, const char* function);
void setMissingFunctionHandler(MissingFunctionHandler handler);

}  // namespace host
