// The state the window's commands share for the life of the process, and the
// seven field values a command reads from the window. Plain values: each
// string owns its text, and a new value simply replaces the old one.
#pragma once

#include <string>

struct AppState {
    std::string documentsDir;            // the user's Klei documents directory
    std::string gameModeKeyword;         // "survival", "wilderness" or "endless"
    std::string playStyleKeyword;        // "social", "cooperative", "competitive" or "madness"
    std::string clusterNameUtf8;         // 编辑框3 in UTF-8
    std::string clusterDescriptionUtf8;  // 编辑框4 in UTF-8
};

// Texts are in the system code page; indexes are 0-based list positions.
struct FormValues {
    std::string tokenText;               // 编辑框1
    int gameModeIndex = 0;               // 组合框1
    std::string maxPlayersText;          // 编辑框2
    int playStyleIndex = 0;              // 组合框2
    std::string clusterNameText;         // 编辑框3
    std::string clusterDescriptionText;  // 编辑框4
    std::string clusterPasswordText;     // 编辑框5
};

// The five edit boxes, for the accessors the window provides.
enum class EditBox { token, maxPlayers, clusterName, clusterDescription, clusterPassword };
