// What every test of the core needs: a run directory of its own, dialogs that
// never block, and byte-level access to the files a test made.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "support/folder_listing.h"

// A fresh, empty run directory, set as the host's run directory for the life
// of the object and removed afterwards. Its path is in Windows form on both
// builds ("C:\..."); on Linux the host maps the drive to a private temp folder.
class TemporaryRunDirectory {
public:
    // In the system's temporary directory, or under `parent` (a directory in
    // this build's own form: a Linux path natively, a Windows path under Wine).
    TemporaryRunDirectory();
    explicit TemporaryRunDirectory(const std::string& parent);
    ~TemporaryRunDirectory();
    TemporaryRunDirectory(const TemporaryRunDirectory&) = delete;
    TemporaryRunDirectory& operator=(const TemporaryRunDirectory&) = delete;

    const std::string& path() const { return path_; }
    // The run directory followed by `relative`, which begins with a backslash.
    std::string operator/(const std::string& relative) const { return path_ + relative; }
    // The same, as this build's own file functions name it (a Linux path natively).
    std::string localPath(const std::string& relative) const;
    // Every file and directory under the run directory, as sorted relative
    // paths beginning with a backslash.
    std::vector<std::string> entries() const;

    // Everything below the directory `relative` names, whole, by its path under
    // that directory ("\\a\\b.txt"): a file's bytes, or kDirectoryEntry.
    std::map<std::string, std::string> contentsOf(const std::string& relative) const;

private:
    std::string path_;
    std::string localRoot_;  // what to remove afterwards
    std::string localPath_;  // path_ on the local file system
};

// The small file system that scripts/test mounts for the full-disk tests, in
// this build's own form; empty when QUILLORN_SMALL_DISK is not set.
std::string smallDiskDirectory();
// Sets the read-only attribute (Windows) or takes away every write bit (Linux)
// of the file at `localPath`.
void makeReadOnly(const std::string& localPath);

// Replaces both dialogs for the life of the object: messages are recorded,
// the folder browser answers `folderToChoose` and counts its prompts.
class RecordedDialogs {
public:
    explicit RecordedDialogs(std::string folderToChoose = {});
    ~RecordedDialogs();
    RecordedDialogs(const RecordedDialogs&) = delete;
    RecordedDialogs& operator=(const RecordedDialogs&) = delete;

    std::vector<host::Message> messages;
    std::vector<std::string> browserPrompts;
    std::string folderToChoose;
};

// The whole content of a file, or "<missing>" when it cannot be read.
std::string fileBytes(const std::string& path);
// Writes a file whole, creating missing parent directories; fails the test otherwise.
void writeTestFile(const std::string& path, const std::string& content);
// Creates a directory and any missing parents.
void makeDirectories(const std::string& path);
// Shows bytes as hex, so that a failed byte comparison says where it differs.
std::string hexDump(const std::string& bytes);
// A message's lines, split at each CR LF.
std::vector<std::string> linesOf(const std::string& text);
