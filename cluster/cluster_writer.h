// The "配置服务器" command: writes the two-shard cluster MyDediServer beside the
// executable from the seven field values, and says what came of it.
#pragma once

#include <string>

#include "host/host.h"

// The seven field values as the window holds them. Texts are in the system
// code page; indexes are 0-based list positions.
struct FormValues {
    std::string tokenText;               // 编辑框1
    int gameModeIndex = 0;               // 组合框1
    std::string maxPlayersText;          // 编辑框2
    int playStyleIndex = 0;              // 组合框2
    std::string clusterNameText;         // 编辑框3
    std::string clusterDescriptionText;  // 编辑框4
    std::string clusterPasswordText;     // 编辑框5
};

// What a run of the command decided, for the caller to keep, and its message.
struct ConfigureResult {
    std::string gameModeKeyword;   // "survival", "wilderness" or "endless"
    std::string playStyleKeyword;  // "social", "cooperative", "competitive" or "madness"
    std::string clusterNameUtf8;
    std::string clusterDescriptionUtf8;
    host::Message message;  // the success message, or every path that could not be written
};

// Chooses the two keywords by list position (a position out of range keeps the
// previous keyword), converts name and description to UTF-8, creates the
// directories and writes the files: the caves' worldgenoverride.lua only while
// they have no leveldataoverride.lua, and otherwise it is removed. Shows
// nothing: the caller shows the returned message.
ConfigureResult configureServer(const FormValues& values, const std::string& previousGameModeKeyword,
                                const std::string& previousPlayStyleKeyword);
