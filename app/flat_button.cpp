// Flat buttons: the button itself stays a standard BS_OWNERDRAW push button
// (clicks, keyboard, focus); a subclass adds the hover state, which Windows
// does not report to owner-drawn buttons, and drawFlatButton paints the face.
#include "app/flat_button.h"

#include <commctrl.h>

#include <string>

#include "host/scoped_win.h"

namespace {

constexpr COLORREF kFaceColour = RGB(255, 143, 30);
constexpr COLORREF kLitFaceColour = RGB(255, 169, 83);
constexpr COLORREF kCaptionColour = RGB(255, 255, 255);
constexpr int kTooltipMaxWidth = 400;
constexpr int kCaptionMargin = 4;  // between the caption and the face's edges
constexpr UINT_PTR kFlatButtonSubclassId = 1;

// The hover state lives with the button, as a window property: present while
// the mouse is over it. (The subclass's reference data would need
// GetWindowSubclass, which comctl32 exports by ordinal only.)
constexpr char kHoverProperty[] = "Quillorn.FlatButton.Hover";

// The button's tooltip, once made.
constexpr char kTooltipProperty[] = "Quillorn.FlatButton.Tooltip";

bool isHovered(HWND button) { return GetPropA(button, kHoverProperty) != nullptr; }

void setHovered(HWND button, bool hovered) {
    if (isHovered(button) == hovered) return;
    if (hovered)
        SetPropA(button, kHoverProperty, reinterpret_cast<HANDLE>(1));
    else
        RemovePropA(button, kHoverProperty);
    // No erase: the face covers the whole button, so nothing flickers.
    InvalidateRect(button, nullptr, FALSE);
}

std::string windowText(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// A tooltip owned by the button's top-level window (and destroyed with it)
// that shows the caption while the mouse rests on the button. Made when the
// mouse first comes over the button, which start-up then does not pay for;
// the mouse message that brought it is passed on, so it starts timing at once.
void addTooltip(HWND button, const MSG& mouseMessage) {
    // Registers the tooltip class; repeated calls cost nothing.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    HWND owner = GetAncestor(button, GA_ROOT);
    HWND tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    if (!tooltip) return;

    std::string caption = windowText(button);
    TTTOOLINFOA tool{};
    // The version-5 size: accepted by every version of the common controls.
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_SUBCLASS | TTF_IDISHWND;
    tool.hwnd = GetParent(button);
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    tool.lpszText = caption.data();  // the tooltip keeps a copy
    SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageA(tooltip, TTM_SETMAXTIPWIDTH, 0, kTooltipMaxWidth);
    SetPropA(button, kTooltipProperty, tooltip);
    SendMessageA(tooltip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&mouseMessage));
}

void onMouseMove(HWND button, WPARAM wParam, LPARAM lParam) {
    // While the button holds the capture (pressed and dragged) the mouse may
    // be outside it and still report here.
    RECT client{};
    GetClientRect(button, &client);
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const bool inside = PtInRect(&client, point) != FALSE;
    if (inside && !GetPropA(button, kTooltipProperty)) {
        MSG message{button, WM_MOUSEMOVE, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {}};
        GetCursorPos(&message.pt);
        addTooltip(button, message);
    }
    if (inside && !isHovered(button)) {
        TRACKMOUSEEVENT tracking{sizeof(tracking), TME_LEAVE, button, 0};
        TrackMouseEvent(&tracking);
    }
    setHovered(button, inside);
}

LRESULT CALLBACK flatButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR subclassId,
                                DWORD_PTR /*referenceData*/) {
    switch (message) {
        case WM_MOUSEMOVE: onMouseMove(button, wParam, lParam); break;
        case WM_MOUSELEAVE: setHovered(button, false); break;
        case WM_ERASEBKGND: return 1;  // drawFlatButton fills every pixel
        case WM_LBUTTONDBLCLK:
            // An owner-drawn button turns a second quick click into BN_DOUBLECLICKED
            // with no press; a standard push button treats it as a press.
            return DefSubclassProc(button, WM_LBUTTONDOWN, wParam, lParam);
        case WM_NCDESTROY:
            RemovePropA(button, kHoverProperty);
            RemovePropA(button, kTooltipProperty);
            RemoveWindowSubclass(button, flatButtonProc, subclassId);
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void makeFlatButton(HWND button) { SetWindowSubclass(button, flatButtonProc, kFlatButtonSubclassId, 0); }

void drawFlatButton(const DRAWITEMSTRUCT& item) {
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    const bool hovered = isHovered(item.hwndItem);
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    HDC dc = item.hDC;
    RECT face = item.rcItem;

    UniqueBrush brush(CreateSolidBrush(pressed || hovered || focused ? kLitFaceColour : kFaceColour));
    FillRect(dc, &face, brush.get());
    if (pressed)
        DrawEdge(dc, &face, BDR_SUNKENOUTER, BF_RECT);
    else if (hovered)
        DrawEdge(dc, &face, BDR_RAISEDINNER, BF_RECT);
    // No focus rectangle in any state: the lighter face shows the focus.

    const std::string caption = windowText(item.hwndItem);
    ScopedSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetTextColor(dc, kCaptionColour);
    SetBkMode(dc, TRANSPARENT);

    // DrawText centres vertically only single lines: measure the wrapped
    // caption first, then centre its block.
    RECT area = face;
    InflateRect(&area, -kCaptionMargin, -kCaptionMargin);
    constexpr UINT kFormat = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT measured{0, 0, area.right - area.left, 0};
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, kFormat | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    RECT text{area.left, area.top + (area.bottom - area.top - textHeight) / 2, area.right, 0};
    text.bottom = text.top + textHeight;
    if (pressed) OffsetRect(&text, 1, 1);
    DrawTextA(dc, caption.c_str(), static_cast<int>(caption.size()), &text, kFormat);
}
