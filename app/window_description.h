// The main window as data: its frame, and its controls in description order,
// which is also the stacking order (first on top) and, reversed, the tab order.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>

#include "cluster/app_state.h"
#include "cluster/texts.h"

inline constexpr char kMainWindowClass[] = "QuillornMainWindow";
inline constexpr char kPicturePanelClass[] = "QuillornPicturePanel";

// The outer size, frame and title bar included.
inline constexpr int kWindowWidth = 1440;
inline constexpr int kWindowHeight = 660;
inline constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// A drop-down list's height includes its dropped-down part.
inline constexpr int kMinimumListHeight = 160;

// Control identifiers; `window` stands for the main window as a parent.
enum class ControlId : int {
    window = 0,
    superButton2 = 101,
    superButton1,
    editBox5,
    editBox4,
    editBox3,
    comboBox2,
    editBox2,
    comboBox1,
    editBox1,
    pictureBox1,
};

constexpr int idOf(ControlId id) { return static_cast<int>(id); }

enum class ControlKind { flatButton, editBox, dropDownList, picturePanel };
enum class InputFilter { none, digitsAndMinus };

struct ControlDescription {
    ControlId id;
    ControlKind kind;
    ControlId parent;
    int left, top, width, height;  // relative to the parent's client area
    DWORD style;
    DWORD extendedStyle;
    const char* text;          // a button's caption
    const char* const* items;  // a list's items, in order
    int itemCount;
    InputFilter filter;
};

inline constexpr DWORD kChildStyle = WS_CHILD | WS_CLIPSIBLINGS;
inline constexpr DWORD kButtonStyle = kChildStyle | WS_TABSTOP | BS_PUSHBUTTON | BS_OWNERDRAW;
inline constexpr DWORD kEditStyle = kChildStyle | WS_TABSTOP | ES_AUTOHSCROLL;
inline constexpr DWORD kListStyle = kChildStyle | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
inline constexpr DWORD kPanelStyle = kChildStyle | WS_CLIPCHILDREN;

// ZIP压缩1, a compression component at (8, 16) that nothing uses and nobody
// sees, belongs between 超级按钮1 and 编辑框5; it is not built.
inline constexpr ControlDescription kControls[] = {
    // 超级按钮2
    {ControlId::superButton2, ControlKind::flatButton, ControlId::window, 434, 477, 220, 45, kButtonStyle, 0,
     texts::kCopyButton, nullptr, 0, InputFilter::none},
    // 超级按钮1
    {ControlId::superButton1, ControlKind::flatButton, ControlId::window, 194, 477, 220, 45, kButtonStyle, 0,
     texts::kConfigureButton, nullptr, 0, InputFilter::none},
    // 编辑框5
    {ControlId::editBox5, ControlKind::editBox, ControlId::window, 330, 408, 894, 38, kEditStyle | ES_LEFT,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::digitsAndMinus},
    // 编辑框4
    {ControlId::editBox4, ControlKind::editBox, ControlId::window, 360, 354, 864, 38, kEditStyle | ES_LEFT,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    // 编辑框3
    {ControlId::editBox3, ControlKind::editBox, ControlId::window, 413, 300, 811, 38, kEditStyle | ES_LEFT,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    // 组合框2
    {ControlId::comboBox2, ControlKind::dropDownList, ControlId::window, 328, 246, 896, 39, kListStyle, 0, nullptr,
     texts::kPlayStyleItems, static_cast<int>(std::size(texts::kPlayStyleItems)), InputFilter::none},
    // 编辑框2
    {ControlId::editBox2, ControlKind::editBox, ControlId::window, 298, 192, 926, 38, kEditStyle | ES_LEFT,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::digitsAndMinus},
    // 组合框1, the one control inside the panel
    {ControlId::comboBox1, ControlKind::dropDownList, ControlId::pictureBox1, 121, 122, 944, 36, kListStyle, 0,
     nullptr, texts::kGameModeItems, static_cast<int>(std::size(texts::kGameModeItems)), InputFilter::none},
    // 编辑框1
    {ControlId::editBox1, ControlKind::editBox, ControlId::window, 298, 84, 926, 38, kEditStyle | ES_CENTER,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    // 图片框1, the panel picture under everything else
    {ControlId::pictureBox1, ControlKind::picturePanel, ControlId::window, 160, 16, 1096, 600, kPanelStyle, 0,
     nullptr, nullptr, 0, InputFilter::none},
};

// The control behind each edit box the settings and commands name.
constexpr ControlId controlOf(EditBox box) {
    switch (box) {
        case EditBox::token: return ControlId::editBox1;
        case EditBox::maxPlayers: return ControlId::editBox2;
        case EditBox::clusterName: return ControlId::editBox3;
        case EditBox::clusterDescription: return ControlId::editBox4;
        case EditBox::clusterPassword: return ControlId::editBox5;
    }
    return ControlId::editBox1;
}
