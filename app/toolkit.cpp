#include "app/toolkit.h"

#include <commctrl.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "app/app_texts.h"
#include "host/host.h"

namespace toolkit {
namespace {

struct RegisteredExitRoutine {
    ExitRoutine routine;
    void* context;
    bool operator==(const RegisteredExitRoutine& other) const {
        return routine == other.routine && context == other.context;
    }
};

void exitProcess(int exitCode) { ExitProcess(static_cast<UINT>(exitCode)); }

// The toolkit's state for the process: one thread, one instance.
struct ToolkitState {
    std::vector<RegisteredExitRoutine> exitRoutines;
    std::vector<Window*> windows;
    bool loopRunning = false;
    bool stopping = false;
    ProcessEnd endProcess = exitProcess;
};

ToolkitState& state() {
    static ToolkitState theState;
    return theState;
}

// A text built in place, without allocating, so that a failing heap cannot
// stop the message from being put together. What does not fit is cut off.
class FixedText {
public:
    void append(const char* text) {
        while (*text && length_ + 1 < sizeof text_) text_[length_++] = *text++;
        text_[length_] = '\0';
    }
    void appendNumber(unsigned long long number) {
        char digits[24];
        append(decimal(number, digits));
    }
    // Appends `pattern` with its "%s" and "%d" marks replaced by the values, in order.
    void appendFilled(const char* pattern, std::initializer_list<const char*> values) {
        const char* const* value = values.begin();
        char one[2] = {};
        while (*pattern) {
            if (pattern[0] == '%' && (pattern[1] == 's' || pattern[1] == 'd') && value != values.end()) {
                append(*value++);
                pattern += 2;
            } else {
                one[0] = *pattern++;
                append(one);
            }
        }
    }
    // The number in decimal digits, written into `digits`.
    static const char* decimal(unsigned long long number, char (&digits)[24]) {
        char* at = digits + sizeof digits - 1;
        *at = '\0';
        do {
            *--at = static_cast<char>('0' + number % 10);
            number /= 10;
        } while (number != 0);
        return at;
    }
    const char* get() const { return text_; }

private:
    char text_[1024] = {};
    std::size_t length_ = 0;
};

bool isKeyMessage(UINT message) { return message == WM_KEYDOWN || message == WM_SYSKEYDOWN; }

// The window of ours that `target` is, or lies in.
Window* windowContaining(HWND target) {
    for (Window* window : state().windows) {
        HWND root = window->handle();
        if (root && (target == root || IsChild(root, target))) return window;
    }
    return nullptr;
}

}  // namespace

void initialiseToolkit() {
    host::setMissingFunctionHandler(stopWithMissingFunction);

    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    host::setRunDirectory(host::directoryOfPath(host::executablePath()));
    host::setCurrentDirectory(host::runDirectory());
}

void registerExitRoutine(ExitRoutine routine, void* context) {
    RegisteredExitRoutine entry{routine, context};
    auto& routines = state().exitRoutines;
    if (std::find(routines.begin(), routines.end(), entry) == routines.end()) routines.push_back(entry);
}

void loadWindow(Window& window) {
    if (!window.createHidden()) {
        stopWithError(appTexts::kWindowLoadFailed, GetLastError());
        return;
    }
    window.raiseCreated();
    window.showFirstTime();
}

void noteWindowCreated(Window& window) { state().windows.push_back(&window); }

void noteWindowDestroyed(Window& window) {
    auto& windows = state().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), &window), windows.end());
    if (windows.empty() && state().loopRunning) PostQuitMessage(0);
}

void processMessage(const MSG& message) {
    if (isKeyMessage(message.message)) {
        Window* window = windowContaining(message.hwnd);
        if (window && window->handleKeyBeforeControls(message)) return;
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

int runMessageLoop() {
    if (state().windows.empty()) return 0;
    state().loopRunning = true;
    MSG message{};
    int exitCode = 0;
    for (;;) {
        BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            exitCode = static_cast<int>(message.wParam);
            break;
        }
        if (got == -1) break;  // only for an invalid window filter, which we never pass
        processMessage(message);
    }
    state().loopRunning = false;
    return exitCode;
}

void shutDownToolkit() {
    // The list is taken first, so a routine runs once even if shutdown is
    // entered again while the routines run (a fatal error inside one of them).
    std::vector<RegisteredExitRoutine> routines = std::exchange(state().exitRoutines, {});
    for (const RegisteredExitRoutine& entry : routines) entry.routine(entry.context);
    host::endOle();
}

void stopWithError(const char* message, DWORD systemError) {
    FixedText text;
    text.append(appTexts::kErrorHeading);
    text.append(host::kLineEnd);
    text.append(host::kLineEnd);
    text.append(appTexts::kErrorMessageLabel);
    text.append(message);
    text.append(host::kLineEnd);
    if (systemError != 0) {
        text.append(appTexts::kSystemErrorCodeLabel);
        text.appendNumber(systemError);
        text.append(host::kLineEnd);
    }

    ToolkitState& toolkit = state();
    if (toolkit.stopping) {
        // A second fatal error while the first is being reported, most likely
        // memory running out again: the plain box, then the end at once.
        MessageBoxA(nullptr, text.get(), appTexts::kErrorCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
        toolkit.endProcess(-1);
        return;
    }
    toolkit.stopping = true;
    // host::Message copies the text, so this allocates: see main.cpp's reserve.
    host::showMessage({appTexts::kErrorCaption, text.get(), host::MessageIcon::error});
    shutDownToolkit();
    toolkit.stopping = false;
    toolkit.endProcess(-1);
}

void stopWithAllocationFailure(std::size_t bytes) {
    FixedText message;
    char digits[24];
    message.appendFilled(appTexts::kAllocationFailed, {FixedText::decimal(bytes, digits)});
    stopWithError(message.get());
}

void stopWithMissingFunction(const char* library, const char* function) {
    FixedText message;
    message.appendFilled(appTexts::kFunctionNotFound, {library, function});
    stopWithError(message.get());
}

void replaceProcessEnd(ProcessEnd end) { state().endProcess = end ? end : exitProcess; }

}  // namespace toolkit
