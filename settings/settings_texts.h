// The tool's own settings file as the user sees it: its name, sections and
// keys, the first-run folder question and the warning when it cannot be saved.
// Plain constants in code page 936.
#pragma once

namespace settingsTexts {

// In the run directory.
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
inline constexpr char kSettingsNotSaved[] = "无法保存配置文件：";  // then the file's path

}  // namespace settingsTexts
