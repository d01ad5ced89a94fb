// The benchmark's second reference: Quillorn's window with its ten controls
// (same classes, styles, places, field font and list items) and the
// common-controls 6 manifest, but no pictures, no tooltips, no settings file
// and no C++ runtime: plain Win32 calls over the window's description, built
// without exceptions or RTTI and using nothing of the C++ library.
// Closing it ends the program.
#include <windows.h>

#include <commctrl.h>

#include "app/window_description.h"

namespace {

LRESULT CALLBACK referenceWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_DRAWITEM: {
            // The flat buttons' face and caption, without their hover states.
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            HBRUSH face = CreateSolidBrush(RGB(255, 143, 30));
            FillRect(item.hDC, &item.rcItem, face);
            DeleteObject(face);
            char caption[64];
            GetWindowTextA(item.hwndItem, caption, sizeof caption);
            RECT area = item.rcItem;
            SelectObject(item.hDC, GetStockObject(DEFAULT_GUI_FONT));
            SetTextColor(item.hDC, RGB(255, 255, 255));
            SetBkMode(item.hDC, TRANSPARENT);
            DrawTextA(item.hDC, caption, -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            return TRUE;
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

const char* classOf(ControlKind kind) {
    switch (kind) {
        case ControlKind::flatButton: return WC_BUTTONA;
        case ControlKind::editBox: return WC_EDITA;
        case ControlKind::dropDownList: return WC_COMBOBOXA;
        case ControlKind::picturePanel: return "QuillornReferencePanel";
    }
    return WC_STATICA;
}

bool registerClass(const char* name, HINSTANCE instance) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = referenceWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassA(&windowClass) != 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    if (!registerClass("QuillornReferenceWindow", instance) ||
        !registerClass(classOf(ControlKind::picturePanel), instance))
        return 1;
    HFONT font = CreateFontA(-24, 0, 0, 0, 290, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, appTexts::kFieldFontFace);

    const int left = (GetSystemMetrics(SM_CXSCREEN) - kWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kWindowHeight) / 2;
    HWND window = CreateWindowExA(0, "QuillornReferenceWindow", appTexts::kWindowCaption, kWindowStyle, left, top,
                                  kWindowWidth, kWindowHeight, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;

    // The window's own controls first, then the one inside the panel.
    for (int insidePanel = 0; insidePanel < 2; ++insidePanel) {
        for (const ControlDescription& description : kControls) {
            if ((description.parent != ControlId::window) != (insidePanel != 0)) continue;
            HWND parent = insidePanel ? GetDlgItem(window, idOf(description.parent)) : window;
            const bool isList = description.kind == ControlKind::dropDownList;
            const int height = isList && description.height < kMinimumListHeight ? kMinimumListHeight
                                                                                 : description.height;
            HWND control = CreateWindowExA(
                description.extendedStyle, classOf(description.kind), description.text ? description.text : "",
                description.style | WS_VISIBLE, description.left, description.top, description.width, height, parent,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(idOf(description.id))), instance, nullptr);
            if (!control) return 1;
            if (description.kind == ControlKind::editBox || isList)
                SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
            for (int i = 0; i < description.itemCount; ++i)
                SendMessageA(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(description.items[i]));
            if (isList) SendMessageA(control, CB_SETCURSEL, 0, 0);
        }
    }
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    DeleteObject(font);
    return static_cast<int>(message.wParam);
}
