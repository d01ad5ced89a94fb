// The texts of the two commands that the user or the game sees: the cluster's
// files, sections, keys and fixed values, and the commands' messages. Plain
// constants; the compiler turns these UTF-8 literals into code-page-936 bytes.
#pragma once

namespace clusterTexts {

// ---- The cluster, under the run directory --------------------------------

inline constexpr char kClusterDir[] = "\\MyDediServer";
inline constexpr char kCavesDir[] = "\\MyDediServer\\Caves";
inline constexpr char kMasterDir[] = "\\MyDediServer\\Master";
inline constexpr char kClusterTokenFile[] = "\\MyDediServer\\cluster_token.txt";
inline constexpr char kClusterIni[] = "\\MyDediServer\\cluster.ini";
inline constexpr char kCavesServerIni[] = "\\MyDediServer\\Caves\\server.ini";
inline constexpr char kMasterServerIni[] = "\\MyDediServer\\Master\\server.ini";
inline constexpr char kWorldgenOverrideFile[] = "\\MyDediServer\\Caves\\worldgenoverride.lua";

// worldgenoverride.lua, written as these four pieces: 63 bytes, no final line end.
inline constexpr const char* kWorldgenOverridePieces[] = {
    "return {",
    "\r\n    override_enabled = true,",
    "\r\npreset = \"DST_CAVE\",",
    "\r\n}",
};

inline constexpr const char* kGameModeKeywords[] = {"survival", "wilderness", "endless"};
inline constexpr const char* kPlayStyleKeywords[] = {"social", "cooperative", "competitive", "madness"};

// Where a value of the cluster's profile files comes from.
enum class ClusterValue {
    fixed,  // the entry's own text
    gameModeKeyword,
    maxPlayersText,
    clusterDescriptionUtf8,
    clusterNameUtf8,
    playStyleKeyword,
    clusterPasswordText,
};

struct ClusterIniEntry {
    const char* file;
    const char* section;
    const char* key;
    ClusterValue source;
    const char* fixedValue;
};

// The profile writes of the cluster, in the order they are made. Each file's
// sections follow each other, so a new cluster holds them in exactly this order.
// "pvp " has a blank after it; the writer trims it, as Windows does.
inline constexpr ClusterIniEntry kClusterIniEntries[] = {
    {kClusterIni, "GAMEPLAY", "game_mode", ClusterValue::gameModeKeyword, nullptr},
    {kClusterIni, "GAMEPLAY", "max_players", ClusterValue::maxPlayersText, nullptr},
    {kClusterIni, "GAMEPLAY", "pvp ", ClusterValue::fixed, "false"},
    {kClusterIni, "GAMEPLAY", "pause_when_empty", ClusterValue::fixed, "true"},
    {kClusterIni, "NETWORK", "cluster_description", ClusterValue::clusterDescriptionUtf8, nullptr},
    {kClusterIni, "NETWORK", "cluster_name", ClusterValue::clusterNameUtf8, nullptr},
    {kClusterIni, "NETWORK", "cluster_intention", ClusterValue::playStyleKeyword, nullptr},
    {kClusterIni, "NETWORK", "cluster_password", ClusterValue::clusterPasswordText, nullptr},
    {kClusterIni, "MISC", "console_enabled", ClusterValue::fixed, "false"},
    {kClusterIni, "SHARD", "shard_enabled", ClusterValue::fixed, "true"},
    {kClusterIni, "SHARD", "bind_ip", ClusterValue::fixed, "127.0.0.1"},
    {kClusterIni, "SHARD", "master_ip", ClusterValue::fixed, "127.0.0.1"},
    {kClusterIni, "SHARD", "master_port", ClusterValue::fixed, "10889"},
    {kClusterIni, "SHARD", "cluster_key", ClusterValue::fixed, "quietlanternox"},
    {kCavesServerIni, "NETWORK", "server_port", ClusterValue::fixed, "11001"},
    {kCavesServerIni, "SHARD", "is_master", ClusterValue::fixed, "false"},
    {kCavesServerIni, "SHARD", "name", ClusterValue::fixed, "Caves"},
    {kCavesServerIni, "STEAM", "master_server_port", ClusterValue::fixed, "27019"},
    {kCavesServerIni, "STEAM", "authentication_port", ClusterValue::fixed, "8769"},
    {kMasterServerIni, "NETWORK", "server_port", ClusterValue::fixed, "11000"},
    {kMasterServerIni, "SHARD", "is_master", ClusterValue::fixed, "true"},
    {kMasterServerIni, "STEAM", "master_server_port", ClusterValue::fixed, "27018"},
    {kMasterServerIni, "STEAM", "authentication_port", ClusterValue::fixed, "8768"},
};

// ---- Mod and world settings, copied from the game's first save slot -------

inline constexpr char kSaveSlotDir[] = "\\Cluster_1";  // under the documents directory
// The caves' level data, under the save slot and under the cluster alike. While
// the cluster holds it, the cluster holds no worldgenoverride.lua: the game's
// dedicated server would let that file's preset replace this level data whole.
inline constexpr char kCavesLevelData[] = "\\Caves\\leveldataoverride.lua";
inline constexpr const char* kCopiedSettingsFiles[] = {
    "\\Master\\modoverrides.lua",
    "\\Master\\leveldataoverride.lua",
    "\\Caves\\modoverrides.lua",
    kCavesLevelData,
};

// ---- The commands' messages --------------------------------------------

inline constexpr char kConfigureDone[] = "配置服务器完成，存档路径已经生成！";
inline constexpr char kConfigureIncomplete[] = "配置服务器未完成，以下文件或目录未能写入：";
inline constexpr char kCopyDone[] = "模组文件与世界文件复制成功！";
inline constexpr char kCopyIncomplete[] = "模组文件与世界文件复制未完成，以下文件未能复制：";
// When every copy succeeded but worldgenoverride.lua could not be removed.
inline constexpr char kCopyDoneRemovalFailed[] = "模组文件与世界文件已复制，但以下文件未能删除：";
inline constexpr char kCopyArrow[] = " → ";
inline constexpr char kReasonOpen[] = "（";
inline constexpr char kReasonClose[] = "）";
// After the opening parenthesis of a file that could not be removed, before the system's reason.
inline constexpr char kNotRemoved[] = "未能删除：";

}  // namespace clusterTexts
