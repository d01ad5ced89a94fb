// Our thin layer over Win32 for the life of the process: start-up, the exit
// routines, loading a window, the message loop and the fatal-error stop.
#pragma once

#include <windows.h>

#include <cstddef>

namespace toolkit {

// What the toolkit needs of a top-level window of ours.
class Window {
public:
    virtual ~Window() = default;
    virtual HWND handle() const = 0;
    // Creates the window hidden, with all its controls in place and shown inside
    // it; false (with the thread's last error set) when it cannot be created.
    virtual bool createHidden() = 0;
    // The created event: runs while the window exists but is not yet on screen.
    virtual void raiseCreated() = 0;
    // Shows the window, activated, unless the created event destroyed it.
    virtual void showFirstTime() = 0;
    // Sees every key message for the window or its descendants before it is
    // translated and dispatched; true when the window consumed the key.
    virtual bool handleKeyBeforeControls(const MSG& message) = 0;
};

// The common controls, the run directory fixed to the executable's directory
// and made the current directory, and stopWithMissingFunction installed as the
// host's handler for a system function that cannot be bound. OLE is left to
// the host, which initialises it on this thread before the folder browser shows.
void initialiseToolkit();

// Exit routines run once each, in the order of registration, at shutdown.
using ExitRoutine = void (*)(void* context);
// Appends the routine unless the same routine with the same context is listed.
void registerExitRoutine(ExitRoutine routine, void* context);

// Creates the window hidden, raises its created event, then shows it. Stops
// the process with "载入启动窗口失败" when the window cannot be created.
void loadWindow(Window& window);

// A window reports its creation (WM_NCCREATE) and its end (WM_NCDESTROY); when
// the last one ends while the message loop runs, the loop is told to quit with 0.
void noteWindowCreated(Window& window);
void noteWindowDestroyed(Window& window);

// Dispatches the thread's messages until the quit message; returns its code.
// Returns 0 at once when no window of ours exists.
int runMessageLoop();
// One step of the loop: our windows see keys first, then translate and dispatch.
void processMessage(const MSG& message);

// Runs every exit routine once, in registration order, empties the list, and
// ends OLE on the thread if the folder browser started it. Safe to call again:
// the second call finds nothing to do.
void shutDownToolkit();

// Shows the fatal-error box (the message, and the Windows error code when one
// is given), shuts the toolkit down and ends the process with exit code -1.
// The text is built without allocating, but showing it copies it into a
// host::Message and the system's box needs memory too: it works when memory
// has run out only because main.cpp frees its reserve before it calls here.
// Returns only when a test replaced the process end.
void stopWithError(const char* message, DWORD systemError = 0);
// stopWithError with "分配 N 字节内存失败!".
void stopWithAllocationFailure(std::size_t bytes);
// stopWithError with "无法找到指定DLL库文件“library”中的输出命令“function”".
void stopWithMissingFunction(const char* library, const char* function);

// How the process ends after a fatal error; ExitProcess unless a test replaced
// it (nullptr restores ExitProcess).
using ProcessEnd = void (*)(int exitCode);
void replaceProcessEnd(ProcessEnd end);

}  // namespace toolkit
