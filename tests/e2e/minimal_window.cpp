// The benchmark's floor: the least a Win32 program does to put a window of
// Quillorn's size on the screen. Closing it ends the program.
#include <windows.h>

namespace {

LRESULT CALLBACK floorWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = floorWindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "QuillornBenchmarkFloor";
    if (!RegisterClassA(&windowClass)) return 1;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - 1440) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - 660) / 2;
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "Floor",
                                  WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, 1440, 660,
                                  nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
