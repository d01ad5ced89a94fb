#include "support/folder_listing.h"

#include <windows.h>

#include "host/scoped_win.h"

namespace {

void addContents(const std::string& directory, const std::string& below, std::map<std::string, std::string>& contents) {
    WIN32_FIND_DATAA entry;
    const UniqueSearch find(FindFirstFileA((directory + below + "\\*").c_str(), &entry));
    if (!find) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = below + "\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            contents[child] = kDirectoryEntry;
            addContents(directory, child, contents);
        } else {
            contents[child] = readWholeFile(directory + child);
        }
    } while (FindNextFileA(find.get(), &entry));
}

}  // namespace

std::string readWholeFile(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return "<missing>";
    std::string content;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) content.append(buffer, got);
    return content;
}

std::map<std::string, std::string> folderContents(const std::string& directory) {
    std::map<std::string, std::string> contents;
    addContents(directory, "", contents);
    return contents;
}

void removeTree(const std::string& directory) {
    WIN32_FIND_DATAA entry;
    const UniqueSearch find(FindFirstFileA((directory + "\\*").c_str(), &entry));
    if (find) {
        do {
            const std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = directory + "\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);  // a test's read-only file
                DeleteFileA(child.c_str());
            }
        } while (FindNextFileA(find.get(), &entry));
    }
    RemoveDirectoryA(directory.c_str());
}
