// The tool's own settings file, 配置文件.ini beside the executable: the
// documents directory asked for on the first run, and the fields it remembers.
#pragma once

#include <functional>
#include <string>

#include "cluster/app_state.h"

// How the settings reach the window's edit boxes; the window provides them.
struct EditBoxAccessors {
    std::function<std::string(EditBox)> readEditText;
    std::function<void(EditBox, const std::string&)> writeEditText;
};

// The settings file's full path, built afresh from the run directory.
std::string toolSettingsPath();

// On the first run (no settings file) asks for the documents directory and
// stores it; then fills the five edit boxes from the file.
void loadToolSettings(AppState& state, const EditBoxAccessors& fields);

enum class SaveFailures { report, keepSilent };

// Writes the five edit boxes and the two keywords. When any write fails, shows
// one warning naming the file, unless told to keep silent (the session is
// ending and nothing may block it). True when every write succeeded.
bool saveToolSettings(const AppState& state, const EditBoxAccessors& fields,
                      SaveFailures failures = SaveFailures::report);
