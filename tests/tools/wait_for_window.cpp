// Waits, with a deadline, for a visible top-level window with the given
// caption, brings it to the foreground and prints its rectangle on the screen
// as "WIDTHxHEIGHT+LEFT+TOP". For scripts/run: under Wine's virtual desktop
// every window of a program is drawn inside one X window, so only a Windows
// program can tell when the tool's own window is there.
// Usage: wait_for_window.exe CAPTION [TIMEOUT_MS]; exits 0 once the window is
// there, 1 after the deadline, 2 on a wrong command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK checkWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<Search*>(context);
    if (!IsWindowVisible(window)) return TRUE;
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    if (search.caption != caption) return TRUE;
    search.found = window;
    return FALSE;
}

HWND visibleWindowCaptioned(const std::string& caption) {
    Search search{caption};
    EnumWindows(checkWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: wait_for_window.exe CAPTION [TIMEOUT_MS]\n");
        return 2;
    }
    const std::string caption = argv[1];
    const ULONGLONG timeoutMs = argc == 3 ? std::strtoull(argv[2], nullptr, 10) : 30000;
    const ULONGLONG giveUpAt = GetTickCount64() + timeoutMs;

    HWND window = nullptr;
    while (!(window = visibleWindowCaptioned(caption))) {
        if (GetTickCount64() >= giveUpAt) {
            std::fprintf(stderr, "no visible window \"%s\" after %llu ms\n", caption.c_str(), timeoutMs);
            return 1;
        }
        Sleep(50);
    }
    // Keys that the caller sends next must reach this window; a round trip
    // through its message queue also shows that the program is taking input.
    while (GetForegroundWindow() != window && GetTickCount64() < giveUpAt) {
        SetForegroundWindow(window);
        Sleep(50);
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);

    RECT frame{};
    GetWindowRect(window, &frame);
    std::printf("%ldx%ld+%ld+%ld\n", frame.right - frame.left, frame.bottom - frame.top, frame.left, frame.top);
    return 0;
}
