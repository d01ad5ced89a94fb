// The "模组与世界复制" command: copies the mod and world settings of both shards
// from the game's first save slot (Cluster_1) into MyDediServer.
#pragma once

#include <string>

#include "host/host.h"

// Attempts the four copies in order from `documentsDir`'s save slot; once the
// caves' level data is copied, removes the caves' worldgenoverride.lua, whose
// preset the game would put in its place. Returns the message to show:
// success, or every copy that failed and a removal that failed, each with the
// system's reason. Shows nothing itself.
host::Message copyModAndWorldSettings(const std::string& documentsDir);
