// Folders as the tests see them: a whole tree listed with its files' bytes.
// On Windows, one implementation (folder_listing_win32.cpp) serves the
// in-process suites and the end-to-end driver alike, through Windows' own
// functions only, so that the driver links nothing of ours.
#pragma once

#include <map>
#include <string>

// What a listing holds for a directory, in place of a file's bytes.
inline constexpr char kDirectoryEntry[] = "<directory>";

#ifdef _WIN32
// The whole file, or "<missing>" when it cannot be read.
std::string readWholeFile(const std::string& path);

// Everything below `directory`, by path relative to it ("\\a\\b.txt"): a file's
// bytes, or kDirectoryEntry; empty when it is missing.
std::map<std::string, std::string> folderContents(const std::string& directory);

// Removes the directory with everything in it, as far as it can.
void removeTree(const std::string& directory);
#endif
