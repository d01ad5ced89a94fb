// quillorn_bench.exe --quillorn=PATH --floor=PATH [--runs=N]: Quillorn's
// speed and size figures, as medians over N runs (scripts/bench runs it).
// Each run starts the minimal window and Quillorn.exe, alternately, in a
// fresh run directory whose settings file keeps the folder browser away.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "e2e/quillorn_driver.h"
#include "settings/settings_texts.h"

namespace {

using namespace e2e;

// Polling this often keeps the measuring error near a millisecond.
constexpr DWORD kPollMs = 1;

class Stopwatch {
public:
    Stopwatch() {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
    }
    double milliseconds() const {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return 1000.0 * static_cast<double>(now.QuadPart - start_.QuadPart) / static_cast<double>(frequency_.QuadPart);
    }

private:
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
};

struct Series {
    std::vector<double> values;
    double median() const {
        std::vector<double> sorted = values;
        std::sort(sorted.begin(), sorted.end());
        const size_t middle = sorted.size() / 2;
        return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
    }
    double least() const { return *std::min_element(values.begin(), values.end()); }
    double most() const { return *std::max_element(values.begin(), values.end()); }
};

HWND visibleTopLevelWindowOf(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != search.processId || !IsWindowVisible(window)) return TRUE;
            search.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The process's private memory (commit charge). Windows gives it as both
// PrivateUsage and PagefileUsage; Wine fills in only the latter.
double privateBytesOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) return 0;
    return static_cast<double>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
}

struct Figures {
    double launchMs = 0;  // from CreateProcess to the window being visible
    double clickMs = 0;   // Quillorn only
    double privateBytes = 0;
};

std::optional<Figures> runFloor(const std::string& floorExe) {
    Figures figures;
    const Stopwatch launch;
    QuillornProcess floor(floorExe);
    if (!floor.problem().empty()) return std::nullopt;
    HWND window = waitFor([&] { return visibleTopLevelWindowOf(floor.id()); }, kDeadlineMs, kPollMs);
    figures.launchMs = launch.milliseconds();
    if (!window) return std::nullopt;
    WaitForInputIdle(floor.handle(), kDeadlineMs);
    figures.privateBytes = privateBytesOf(floor.handle());
    PostMessageA(window, WM_CLOSE, 0, 0);
    floor.waitForExit();
    return figures;
}

std::optional<Figures> runQuillorn(std::string& problem) {
    RunDirectory run("bench");
    if (!run.problem().empty()) {
        problem = run.problem();
        return std::nullopt;
    }
    writeFileBytes(run / settingsTexts::kToolSettingsFile, settingsFileBytes(""));

    Figures figures;
    const Stopwatch launch;
    QuillornProcess app(run.exe());
    HWND window = app.waitForMainWindowShown(kDeadlineMs, kPollMs);
    figures.launchMs = launch.milliseconds();
    if (!window) {
        problem = "Quillorn's window did not show";
        return std::nullopt;
    }

    WaitForInputIdle(app.handle(), kDeadlineMs);
    figures.privateBytes = privateBytesOf(app.handle());

    MainWindowControls controls;
    if (!findControls(window, controls, problem)) return std::nullopt;
    const Stopwatch click;
    clickButton(controls.configureButton);
    const DialogSeen box = app.waitForMessageBox(kDeadlineMs, kPollMs);
    figures.clickMs = click.milliseconds();
    if (!box) {
        problem = "no message box after the click";
        return std::nullopt;
    }
    app.pressDialogButton(box, IDOK);
    PostMessageA(window, WM_CLOSE, 0, 0);
    app.waitForExit();
    return figures;
}

const char* optionValue(const char* argument, const char* option) {
    const size_t length = std::strlen(option);
    return std::strncmp(argument, option, length) == 0 ? argument + length : nullptr;
}

void printRow(const char* what, const Series& series, const char* unit) {
    std::printf("%-44s %10.1f %-5s (%.1f to %.1f)\n", what, series.median(), unit, series.least(), series.most());
}

}  // namespace

int main(int argc, char** argv) {
    std::string floorExe;
    int runs = 7;
    for (int i = 1; i < argc; ++i) {
        if (const char* value = optionValue(argv[i], "--quillorn=")) setQuillornExecutable(value);
        if (const char* value = optionValue(argv[i], "--floor=")) floorExe = windowsPath(value);
        if (const char* value = optionValue(argv[i], "--runs=")) runs = std::max(1, std::atoi(value));
    }
    if (quillornExecutable().empty() || floorExe.empty()) {
        std::fprintf(stderr, "usage: quillorn_bench --quillorn=PATH --floor=PATH [--runs=N]\n");
        return 2;
    }

    Series floorLaunch, quillornLaunch, click, floorMemory, quillornMemory;
    // Round 0 warms the file cache and Wine's server and is not counted.
    for (int run = 0; run <= runs; ++run) {
        const std::optional<Figures> floor = runFloor(floorExe);
        std::string problem;
        const std::optional<Figures> quillorn = runQuillorn(problem);
        if (!floor || !quillorn) {
            std::fprintf(stderr, "run %d failed: %s\n", run, floor ? problem.c_str() : "the minimal window did not show");
            return 1;
        }
        if (run == 0) continue;
        floorLaunch.values.push_back(floor->launchMs);
        quillornLaunch.values.push_back(quillorn->launchMs);
        click.values.push_back(quillorn->clickMs);
        floorMemory.values.push_back(floor->privateBytes / 1024.0);
        quillornMemory.values.push_back(quillorn->privateBytes / 1024.0);
    }

    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExA(quillornExecutable().c_str(), GetFileExInfoStandard, &file);
    Series ratio;
    for (size_t i = 0; i < floorLaunch.values.size(); ++i)
        ratio.values.push_back(quillornLaunch.values[i] / floorLaunch.values[i]);

    std::printf("Quillorn benchmark: median of %d runs (least to most)\n", runs);
    printRow("launch to window visible, Quillorn.exe", quillornLaunch, "ms");
    printRow("launch to window visible, minimal window", floorLaunch, "ms");
    printRow("ratio Quillorn / minimal window", ratio, "x");
    printRow("click of the configure button to its box", click, "ms");
    printRow("private memory once shown, Quillorn.exe", quillornMemory, "KiB");
    printRow("private memory once shown, minimal window", floorMemory, "KiB");
    std::printf("%-44s %10lu bytes\n", "Quillorn.exe size", static_cast<unsigned long>(file.nFileSizeLow));
    return 0;
}
