// Inside the host: the system's own two dialogs, one pair per host, behind the
// replaceable ones that host_common.cpp hands out, and OLE's end for the browser.
#pragma once

#include <optional>
#include <string>

#include "host/host.h"

namespace host::system {

void showMessage(const Message& message);
std::optional<std::string> browseForFolder(const std::string& prompt);

// Calls the program's handler for a function that cannot be bound, if any.
void reportMissingFunction(const char* library, const char* function);

#ifdef _WIN32
// Tests: the file loaded in place of one of the folder browser's libraries
// ("ole32.dll" or "shell32.dll"), to see one that cannot be loaded or lacks a
// function; an empty file name restores the library's own. The functions are
// bound afresh at the browser's next use.
void replaceLibraryFile(const std::string& library, const std::string& file);
#endif

}  // namespace host::system
