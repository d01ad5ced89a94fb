#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "host/gbk_bytes.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>

#include <filesystem>
#include <stdlib.h>
#endif

TemporaryRunDirectory::TemporaryRunDirectory() : TemporaryRunDirectory(std::string()) {}

TemporaryRunDirectory::TemporaryRunDirectory(const std::string& parent) {
    static int count = 0;
#ifdef _WIN32
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof temp, temp);
    const std::string directory = parent.empty() ? std::string(temp) : parent + "\\";
    localRoot_ = directory + "quillorn-test-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count);
    removeTree(localRoot_);
    CreateDirectoryA(localRoot_.c_str(), nullptr);
    path_ = localRoot_;
    localPath_ = path_;
#else
    std::string pattern = (parent.empty() ? std::string("/tmp") : parent) + "/quillorn-test-XXXXXX";
    localRoot_ = mkdtemp(pattern.data());
    host::mapDrivesTo(localRoot_);
    path_ = "C:\\run" + std::to_string(++count);
    localPath_ = localRoot_ + "/run" + std::to_string(count);
    std::filesystem::create_directory(localPath_);
#endif
    host::setRunDirectory(path_);
}

std::string TemporaryRunDirectory::localPath(const std::string& relative) const {
#ifdef _WIN32
    return path_ + relative;
#else
    std::string local = localPath_;
    for (std::size_t at = 0; at < relative.size();) {
        const std::size_t next = host::gbk::nextCharacter(relative, at);
        if (next == at + 1 && relative[at] == '\\')
            local += '/';
        else
            local.append(relative, at, next - at);
        at = next;
    }
    return local;
#endif
}

std::vector<std::string> TemporaryRunDirectory::entries() const {
    std::vector<std::string> entries;
#ifdef _WIN32
    for (const auto& entry : folderContents(path_)) entries.push_back(entry.first);
#else
    for (const auto& entry : std::filesystem::recursive_directory_iterator(localPath_)) {
        std::string relative = "/" + entry.path().lexically_relative(localPath_).string();
        std::replace(relative.begin(), relative.end(), '/', '\\');
        entries.push_back(relative);
    }
#endif
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::string smallDiskDirectory() {
    const char* directory = std::getenv("QUILLORN_SMALL_DISK");
    if (!directory || !*directory) return {};
#ifdef _WIN32
    // Wine hands the variable on as the test command set it: a Linux path, on drive Z:.
    std::string windowsPath = std::string("Z:") + directory;
    std::replace(windowsPath.begin(), windowsPath.end(), '/', '\\');
    return windowsPath;
#else
    return directory;
#endif
}

void makeReadOnly(const std::string& localPath) {
#ifdef _WIN32
    ASSERT_TRUE(SetFileAttributesA(localPath.c_str(), FILE_ATTRIBUTE_READONLY)) << localPath;
#else
    ASSERT_EQ(::chmod(localPath.c_str(), 0444), 0) << localPath;
#endif
}

TemporaryRunDirectory::~TemporaryRunDirectory() {
#ifdef _WIN32
    removeTree(localRoot_);
#else
    std::error_code ignored;
    std::filesystem::remove_all(localRoot_, ignored);
#endif
}

std::map<std::string, std::string> TemporaryRunDirectory::contentsOf(const std::string& relative) const {
    std::map<std::string, std::string> contents;
#ifdef _WIN32
    contents = folderContents(path_ + relative);
#else
    std::string local = localPath_ + relative;
    for (char& byte : local)
        if (byte == '\\') byte = '/';  // our relative paths are ASCII
    std::error_code error;
    for (std::filesystem::recursive_directory_iterator it(local, error), end; !error && it != end;
         it.increment(error)) {
        std::string child = "/" + std::filesystem::relative(it->path(), local).string();
        for (char& byte : child)
            if (byte == '/') byte = '\\';
        contents[child] = it->is_directory() ? kDirectoryEntry : fileBytes(path_ + relative + child);
    }
#endif
    return contents;
}

RecordedDialogs::RecordedDialogs(std::string folder) : folderToChoose(std::move(folder)) {
    host::replaceDialogs([this](const host::Message& message) { messages.push_back(message); },
                         [this](const std::string& prompt) {
                             browserPrompts.push_back(prompt);
                             return folderToChoose;
                         });
}

RecordedDialogs::~RecordedDialogs() { host::replaceDialogs(nullptr, nullptr); }

std::string fileBytes(const std::string& path) {
    std::string content;
    return host::readFile(path, content) ? content : "<missing>";
}

void makeDirectories(const std::string& path) {
    for (size_t at = path.find('\\', 3); at != std::string::npos; at = path.find('\\', at + 1))
        host::createDirectory(path.substr(0, at));
    host::createDirectory(path);
    ASSERT_TRUE(host::isDirectory(path)) << path;
}

void writeTestFile(const std::string& path, const std::string& content) {
    makeDirectories(host::directoryOfPath(path));
    ASSERT_TRUE(host::writeFile(path, {content})) << path;
}

std::string hexDump(const std::string& bytes) {
    std::ostringstream out;
    char hex[4];
    for (unsigned char byte : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", byte);
        out << hex;
    }
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}
