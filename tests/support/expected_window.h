// The main window's layout as the user sees it, shared by the application's
// tests and the end-to-end tests of Quillorn.exe: the frame's size and each
// control's place, in the order of the window's description (first on top).
#pragma once

namespace expected {

// The outer size, frame and title bar included.
inline constexpr int kWindowWidth = 1440;
inline constexpr int kWindowHeight = 660;

// A drop-down list is created this high, its dropped list included; closed, it
// is as high as its font makes it.
inline constexpr int kDroppedListHeight = 160;

struct ControlPlace {
    const char* name;              // the control's own name in the window's design (UTF-8)
    int left, top, width, height;  // in the parent's client area
    bool insidePanel;              // the parent is 图片框1, not the window
    bool isList;                   // a drop-down list: `height` is the stored one, the font decides
};

inline constexpr ControlPlace kCopyButton{u8"超级按钮2", 434, 477, 220, 45, false, false};
inline constexpr ControlPlace kConfigureButton{u8"超级按钮1", 194, 477, 220, 45, false, false};
inline constexpr ControlPlace kClusterPassword{u8"编辑框5", 330, 408, 894, 38, false, false};
inline constexpr ControlPlace kClusterDescription{u8"编辑框4", 360, 354, 864, 38, false, false};
inline constexpr ControlPlace kClusterName{u8"编辑框3", 413, 300, 811, 38, false, false};
inline constexpr ControlPlace kPlayStyle{u8"组合框2", 328, 246, 896, 39, false, true};
inline constexpr ControlPlace kMaxPlayers{u8"编辑框2", 298, 192, 926, 38, false, false};
inline constexpr ControlPlace kGameMode{u8"组合框1", 121, 122, 944, 36, true, true};
inline constexpr ControlPlace kToken{u8"编辑框1", 298, 84, 926, 38, false, false};
inline constexpr ControlPlace kPanel{u8"图片框1", 160, 16, 1096, 600, false, false};

// Where a control lies in the window's client area.
inline constexpr int leftInWindow(const ControlPlace& place) {
    return place.insidePanel ? kPanel.left + place.left : place.left;
}
inline constexpr int topInWindow(const ControlPlace& place) {
    return place.insidePanel ? kPanel.top + place.top : place.top;
}

}  // namespace expected
