// The application's own texts: the window caption, the buttons' captions, the
// lists' items, the field font, and the toolkit's fatal-error box. Plain
// constants in code page 936.
#pragma once

namespace appTexts {

// ---- The main window ---------------------------------------------------------

inline constexpr char kWindowCaption[] = "Quillorn";
inline constexpr char kConfigureButton[] = "配置服务器";
inline constexpr char kCopyButton[] = "模组与世界复制";
inline constexpr const char* kGameModeItems[] = {"生存模式", "荒野模式", "无尽模式"};
inline constexpr const char* kPlayStyleItems[] = {"社交", "合作", "竞争", "疯狂"};
inline constexpr char kFieldFontFace[] = "微软雅黑 Light";

// ---- The toolkit's fatal-error box -----------------------------------------------

inline constexpr char kErrorCaption[] = "错误";
inline constexpr char kErrorHeading[] = "运行时出错!";
inline constexpr char kErrorMessageLabel[] = "错误信息：";
inline constexpr char kWindowLoadFailed[] = "载入启动窗口失败";
inline constexpr char kAllocationFailed[] = "分配 %d 字节内存失败!";  // %d: the bytes asked for
inline constexpr char kSystemErrorCodeLabel[] = "系统错误代码：";     // then the code, when Windows gave one
// A system function bound by name that cannot be bound: %s the library, then the function.
inline constexpr char kFunctionNotFound[] = "无法找到指定DLL库文件“%s”中的输出命令“%s”";

}  // namespace appTexts
