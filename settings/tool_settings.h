// The tool's own settings file, 配置文件.ini beside the executable: the
// documents directory asked for on the first run, and the fields it remembers.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/host.h"

// The five edit boxes, as the settings name the fields they read and write.
enum class EditBox { token, maxPlayers, clusterName, clusterDescription, clusterPassword };

// How the settings reach the window's edit boxes; the window provides them.
struct EditBoxAccessors {
    std::function<std::string(EditBox)> readEditText;
    std::function<void(EditBox, const std::string&)> writeEditText;
};

// The settings file's full path, built afresh from the run directory.
std::string toolSettingsPath();

// On the first run (no settings file) asks for the documents directory, stores
// it and returns it (empty when the question was cancelled); later runs return
// empty. A browser that gives no answer at all stores nothing and returns
// empty. Then fills the five edit boxes from the file.
std::string loadToolSettings(const EditBoxAccessors& fields);

// The documents directory as the settings file holds it now; empty when the
// file or the entry is missing.
std::string readDocumentsDir();

// Writes the five edit boxes and the two keywords, in one replacement of the
// file. When any write fails, returns the warning to show, naming the file.
std::optional<host::Message> saveToolSettings(const std::string& gameModeKeyword, const std::string& playStyleKeyword,
                                              const EditBoxAccessors& fields);
