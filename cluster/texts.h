// Every text the user or the game sees, in one place: file names, INI
// sections, keys and fixed values, messages and window texts. The source is
// UTF-8; the compiler turns these literals into code-page-936 bytes.
#pragma once

#include <cstddef>

namespace texts {

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
inline constexpr const char* kCopiedSettingsFiles[] = {
    "\\Master\\modoverrides.lua",
    "\\Master\\leveldataoverride.lua",
    "\\Caves\\modoverrides.lua",
    "\\Caves\\leveldataoverride.lua",
};

// ---- The tool's own settings file, in the run directory --------------------

inline constexpr char kToolSettingsFile[] = "\\配置文件.ini";
inline constexpr char kDocumentsSection[] = "文档目录";
inline constexpr char kDocumentsDirKey[] = "请选择klei文档目录";
inline constexpr char kStartupSection[] = "启动配置";
inline constexpr char kTokenKey[] = "服务器票据";
inline constexpr char kGameModeKey[] = "游戏模式";
inline constexpr char kMaxPlayersKey[] = "服务器人数";
inline constexpr char kPlayStyleKey[] = "游戏风格";
inline constexpr char kClusterNameKey[] = "服务器名称";
inline constexpr char kClusterDescriptionKey[] = "服务器描述";
inline constexpr char kClusterPasswordKey[] = "服务器密码";
inline constexpr char kFolderBrowserPrompt[] = "请选择游戏文档目录";

// ---- Messages --------------------------------------------------------------

inline constexpr char kMessageCaption[] = "信息：";
inline constexpr char kConfigureDone[] = "配置服务器完成，存档路径已经生成！";
inline constexpr char kConfigureIncomplete[] = "配置服务器未完成，以下文件或目录未能写入：";
inline constexpr char kCopyDone[] = "模组文件与世界文件复制成功！";
inline constexpr char kCopyIncomplete[] = "模组文件与世界文件复制未完成，以下文件未能复制：";
inline constexpr char kCopyArrow[] = " → ";
inline constexpr char kReasonOpen[] = "（";
inline constexpr char kReasonClose[] = "）";
inline constexpr char kSettingsNotSaved[] = "无法保存配置文件：";
inline constexpr char kLineEnd[] = "\r\n";

// The toolkit's fatal-error box.
inline constexpr char kErrorCaption[] = "错误";
inline constexpr char kErrorHeading[] = "运行时出错!";
inline constexpr char kErrorMessageLabel[] = "错误信息：";
inline constexpr char kWindowLoadFailed[] = "载入启动窗口失败";
inline constexpr char kAllocationFailedBefore[] = "分配 ";  // then the byte count
inline constexpr char kAllocationFailedAfter[] = " 字节内存失败!";
inline constexpr char kSystemErrorCodeLabel[] = "系统错误代码：";  // then the code, when Windows gave one

// ---- The main window ---------------------------------------------------------

inline constexpr char kWindowCaption[] = "Quillorn";
inline constexpr char kConfigureButton[] = "配置服务器";
inline constexpr char kCopyButton[] = "模组与世界复制";
inline constexpr const char* kGameModeItems[] = {"生存模式", "荒野模式", "无尽模式"};
inline constexpr const char* kPlayStyleItems[] = {"社交", "合作", "竞争", "疯狂"};
inline constexpr char kFieldFontFace[] = "微软雅黑 Light";

}  // namespace texts
