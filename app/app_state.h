// The state the window's commands share for the life of the process. The
// application owns it; each command is handed what it needs and gives back
// what changed. Plain values: each string owns its text.
#pragma once

#include <string>

struct AppState {
    std::string documentsDir;            // the user's Klei documents directory
    std::string gameModeKeyword;         // "survival", "wilderness" or "endless"
    std::string playStyleKeyword;        // "social", "cooperative", "competitive" or "madness"
    std::string clusterNameUtf8;         // 编辑框3 in UTF-8
    std::string clusterDescriptionUtf8;  // 编辑框4 in UTF-8
};
