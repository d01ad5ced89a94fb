// The "模组与世界复制" command: copies the mod and world settings of both shards
// from the game's first save slot (Cluster_1) into MyDediServer.
#pragma once

#include <string>

#include "host/host.h"

// Attempts the four copies in order from `documentsDir`'s save slot and returns
// the message to show: success, or every copy that failed with the system's
// reason. Shows nothing itself.
host::Message copyModAndWorldSettings(const std::string& documentsDir);
