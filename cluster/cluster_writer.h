// The "配置服务器" command: writes the two-shard cluster MyDediServer beside the
// executable from the seven field values, then tells the user what came of it.
#pragma once

#include "cluster/app_state.h"

// Sets the two keywords and the UTF-8 name and description in `state`, creates
// the directories, writes the five files, and shows either the success message
// or the list of every directory and file that could not be written.
void configureServer(AppState& state, const FormValues& values);
