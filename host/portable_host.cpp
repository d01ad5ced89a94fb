// The host services on Linux, for the tests of the core: Windows paths are
// mapped onto a local directory tree, the files are POSIX files, and the
// dialogs never wait for anyone.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <system_error>
#include <utility>

#include "host/gbk_bytes.h"
#include "host/host.h"
#include "host/system_dialogs.h"

namespace host {
namespace {

// Where drive letters lead; tests set it once per run.
std::string& driveRoot() {
    static std::string root;
    return root;
}

// An open POSIX file, closed when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int descriptor) : descriptor_(descriptor) {}
    ~FileDescriptor() {
        if (descriptor_ >= 0) ::close(descriptor_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : descriptor_(std::exchange(other.descriptor_, -1)) {}

    bool isOpen() const { return descriptor_ >= 0; }
    int get() const { return descriptor_; }

private:
    int descriptor_;
};

bool isSeparator(char byte) { return byte == '\\' || byte == '/'; }

bool isAsciiLetter(char byte) { return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z'); }

// The local form of a Windows path: separators become single slashes, and a
// drive letter, or a leading separator (the current drive's root), becomes the
// mapped root. The bytes of double-byte characters pass unchanged, their 0x5C
// trail bytes included.
std::string localPath(const std::string& path) {
    std::string local;
    std::size_t at = 0;
    if (path.size() >= 2 && isAsciiLetter(path[0]) && path[1] == ':') {
        local = driveRoot();
        at = 2;
        if (at < path.size() && !isSeparator(path[at])) local += '/';  // "C:x" is on the root too
    } else if (!path.empty() && isSeparator(path[0])) {
        local = driveRoot();
    }
    while (at < path.size()) {
        const std::size_t next = gbk::nextCharacter(path, at);
        if (next == at + 1 && isSeparator(path[at])) {
            if (local.empty() || local.back() != '/') local += '/';
        } else {
            local.append(path, at, next - at);
        }
        at = next;
    }
    return local;
}

bool writeAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Windows refuses to replace a read-only file; as root, open() and rename()
// would not, so the mode bits are looked at here.
bool isReadOnlyFile(const std::string& local) {
    struct stat status {};
    return ::stat(local.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Makes a rename in the directory of `path` (a Windows path) last through a power loss.
void flushDirectoryOf(const std::string& path) {
    const std::string directory = directoryOfPath(path);
    const std::string local = directory.empty() ? std::string(".") : localPath(directory);
    const FileDescriptor handle(::open(local.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (handle.isOpen()) ::fsync(handle.get());
}

// Replaces the file at `path` whole or not at all (host.h says how): `write`
// puts the whole new content into the open temporary file, which is then
// flushed, closed and renamed over the target. On failure errno says why.
bool replaceFile(const std::string& path, const std::function<bool(int temporary)>& write) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::string target = localPath(path);
    if (isReadOnlyFile(target)) {
        errno = EACCES;
        return false;
    }
    const std::string temporary = target + kTemporaryFileSuffix;
    ::unlink(temporary.c_str());  // a stale one
    bool replaced = false;
    {
        const FileDescriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (!file.isOpen()) return false;
        replaced = write(file.get()) && ::fsync(file.get()) == 0;
    }
    replaced = replaced && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!replaced) {
        const int error = errno;
        ::unlink(temporary.c_str());
        errno = error;
        return false;
    }
    flushDirectoryOf(path);
    return true;
}

const char* iconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::information: return "information";
        case MessageIcon::warning: return "warning";
        case MessageIcon::error: return "error";
    }
    return "";
}

}  // namespace

std::string executablePath() { return {}; }

bool setCurrentDirectory(const std::string& directory) {
    return !directory.empty() && ::chdir(localPath(directory).c_str()) == 0;
}

void mapDrivesTo(std::string localRoot) {
    while (localRoot.size() > 1 && localRoot.back() == '/') localRoot.pop_back();
    driveRoot() = std::move(localRoot);
}

bool createDirectory(const std::string& path) { return !path.empty() && ::mkdir(localPath(path).c_str(), 0777) == 0; }

bool isDirectory(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(localPath(path).c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool fileExists(const std::string& path) {
    // Windows would take '*' and '?' as a search pattern; no name holds them.
    if (path.empty() || path.find_first_of("*?") != std::string::npos) return false;
    struct stat status {};
    return ::lstat(localPath(path).c_str(), &status) == 0;
}

bool readFile(const std::string& path, std::string& content) {
    if (path.empty()) return false;
    const FileDescriptor file(::open(localPath(path).c_str(), O_RDONLY | O_CLOEXEC));
    if (!file.isOpen()) return false;
    std::string bytes;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;  // a directory, for one
        if (got == 0) break;
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    content = std::move(bytes);
    return true;
}

bool writeFile(const std::string& path, std::initializer_list<std::string_view> pieces) {
    return replaceFile(path, [&pieces](int temporary) {
        for (std::string_view piece : pieces)
            if (!writeAll(temporary, piece)) return false;
        return true;
    });
}

// The source is read whole and written as writeFile writes; the reason is the
// system's words for the step that failed.
CopyResult copyFile(const std::string& source, const std::string& target) {
    CopyResult result;
    std::string content;
    errno = ENOENT;  // what an empty path gets
    result.copied = readFile(source, content) &&
                    replaceFile(target, [&content](int temporary) { return writeAll(temporary, content); });
    if (!result.copied) result.reason = std::generic_category().message(errno);
    return result;
}

bool isRegularFile(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(localPath(path).c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

RemoveResult removeFile(const std::string& path) {
    RemoveResult result;
    // unlink never removes a directory (EISDIR), as DeleteFileA never does.
    const int error = path.empty() ? EINVAL : ::unlink(localPath(path).c_str()) == 0 ? 0 : errno;
    // Nothing of that name, or no folder for it: either way no such file is left.
    result.removed = error == 0 || error == ENOENT || error == ENOTDIR;
    if (!result.removed) result.reason = std::generic_category().message(error);
    return result;
}

namespace system {

// Nothing waits off Windows: a message goes to the error output, and the
// folder browser is cancelled at once.
void showMessage(const Message& message) {
    std::fprintf(stderr, "[%s] %s: %s\n", iconName(message.icon), message.caption.c_str(), message.text.c_str());
}

std::optional<std::string> browseForFolder(const std::string&) { return std::string(); }

}  // namespace system

void endOle() {}  // the portable browser needs no OLE
}  // namespace host
