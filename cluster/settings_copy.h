// The "模组与世界复制" command: copies the mod and world settings of both shards
// from the game's first save slot (Cluster_1) into MyDediServer.
#pragma once

#include "cluster/app_state.h"

// Reads the documents directory afresh from the tool's settings file into
// `state`, attempts the four copies in order, and shows either the success
// message or every copy that failed, with the system's reason.
void copyModAndWorldSettings(AppState& state);
