// The main window as data: its frame, and its controls in description order,
// which is also the stacking order (first on top) and, reversed, the tab order.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>

#include "app/app_texts.h"
#include "settings/tool_settings.h"

inline constexpr char kMainWindowClass[] = "QuillornMainWindow";
inline constexpr char kPicturePanelClass[] = "QuillornPicturePanel";

// The outer size, frame and title bar included.
inline constexpr int kWindowWidth = 1440;
inline constexpr int kWindowHeight = 660;
inline constexpr DWORD kWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// A drop-down list's height includes its dropped-down part.
inline constexpr int kMinimumListHeight = 160;

// Control identifiers, by what each control is for; `window` stands for the
// main window as a parent.
enum class ControlId : int {
    window = 0,
    copyButton = 101,
    configureButton,
    clusterPassword,
    clusterDescription,
    clusterName,
    playStyle,
    maxPlayers,
    gameMode,
    token,
    panel,
};

constexpr int idOf(ControlId id) { return static_cast<int>(id); }

enum class ControlKind { flatButton, editBox, dropDownList, picturePanel };
enum class InputFilter { none, digitsAndMinus };

struct ControlDescription {
    ControlId id;
    const char* name;  // the control's own name in the window's design
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
// sees, belongs between 超级按钮1 and 编辑框5; it is not built. 组合框1 is the
// one control inside the panel; the panel lies under everything else.
inline constexpr ControlDescription kControls[] = {
    {ControlId::copyButton, "超级按钮2", ControlKind::flatButton, ControlId::window, 434, 477, 220, 45, kButtonStyle, 0,
     appTexts::kCopyButton, nullptr, 0, InputFilter::none},
    {ControlId::configureButton, "超级按钮1", ControlKind::flatButton, ControlId::window, 194, 477, 220, 45,
     kButtonStyle, 0, appTexts::kConfigureButton, nullptr, 0, InputFilter::none},
    {ControlId::clusterPassword, "编辑框5", ControlKind::editBox, ControlId::window, 330, 408, 894, 38,
     kEditStyle | ES_LEFT, WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::digitsAndMinus},
    {ControlId::clusterDescription, "编辑框4", ControlKind::editBox, ControlId::window, 360, 354, 864, 38,
     kEditStyle | ES_LEFT, WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    {ControlId::clusterName, "编辑框3", ControlKind::editBox, ControlId::window, 413, 300, 811, 38,
     kEditStyle | ES_LEFT, WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    {ControlId::playStyle, "组合框2", ControlKind::dropDownList, ControlId::window, 328, 246, 896, 39, kListStyle, 0,
     nullptr, appTexts::kPlayStyleItems, static_cast<int>(std::size(appTexts::kPlayStyleItems)), InputFilter::none},
    {ControlId::maxPlayers, "编辑框2", ControlKind::editBox, ControlId::window, 298, 192, 926, 38, kEditStyle | ES_LEFT,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::digitsAndMinus},
    {ControlId::gameMode, "组合框1", ControlKind::dropDownList, ControlId::panel, 121, 122, 944, 36, kListStyle, 0,
     nullptr, appTexts::kGameModeItems, static_cast<int>(std::size(appTexts::kGameModeItems)), InputFilter::none},
    {ControlId::token, "编辑框1", ControlKind::editBox, ControlId::window, 298, 84, 926, 38, kEditStyle | ES_CENTER,
     WS_EX_CLIENTEDGE, nullptr, nullptr, 0, InputFilter::none},
    {ControlId::panel, "图片框1", ControlKind::picturePanel, ControlId::window, 160, 16, 1096, 600, kPanelStyle, 0,
     nullptr, nullptr, 0, InputFilter::none},
};

// The control behind each edit box the settings name.
constexpr ControlId controlOf(EditBox box) {
    switch (box) {
        case EditBox::token: return ControlId::token;
        case EditBox::maxPlayers: return ControlId::maxPlayers;
        case EditBox::clusterName: return ControlId::clusterName;
        case EditBox::clusterDescription: return ControlId::clusterDescription;
        case EditBox::clusterPassword: return ControlId::clusterPassword;
    }
    return ControlId::token;
}
