// quillorn_bench.exe --quillorn=PATH --floor=PATH --controls=PATH [--runs=N]:
// Quillorn's speed, memory and size figures, as medians over N runs
// (scripts/bench runs it). Each run starts the bare window, the same window
// and controls reference and Quillorn.exe, one after the other, Quillorn in a
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

struct Figures {
    double launchMs = 0;  // from CreateProcess to the window being visible
    double clickMs = 0;   // Quillorn only
    double privateBytes = 0;
    double workingSetBytes = 0;
};

// The process's private memory (commit charge) and working set. Windows gives
// the former as both PrivateUsage and PagefileUsage; Wine fills in only the latter.
void measureMemory(HANDLE process, Figures& figures) {
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) return;
    figures.privateBytes = static_cast<double>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
    figures.workingSetBytes = static_cast<double>(memory.WorkingSetSize);
}

// One of the two reference programs, from launch to its window closed.
std::optional<Figures> runReference(const std::string& exe) {
    Figures figures;
    const Stopwatch launch;
    QuillornProcess reference(exe);
    if (!reference.problem().empty()) return std::nullopt;
    HWND window = waitFor([&] { return visibleTopLevelWindowOf(reference.id()); }, kDeadlineMs, kPollMs);
    figures.launchMs = launch.milliseconds();
    if (!window) return std::nullopt;
    WaitForInputIdle(reference.handle(), kDeadlineMs);
    measureMemory(reference.handle(), figures);
    PostMessageA(window, WM_CLOSE, 0, 0);
    reference.waitForExit();
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
    measureMemory(app.handle(), figures);

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

// Ratios get two decimals: the goal's 1.10 is not to be rounded away.
void printRow(const char* what, const Series& series, const char* unit, int decimals = 1) {
    std::printf("%-48s %10.*f %-5s (%.*f to %.*f)\n", what, decimals, series.median(), unit, decimals, series.least(),
                decimals, series.most());
}


// The medians of one program's figures over the counted runs.
struct ProgramSeries {
    Series launch, privateKib, workingSetKib;
    void add(const Figures& figures) {
        launch.values.push_back(figures.launchMs);
        privateKib.values.push_back(figures.privateBytes / 1024.0);
        workingSetKib.values.push_back(figures.workingSetBytes / 1024.0);
    }
};

// Quillorn's launch time over the reference's, run by run.
Series ratioOf(const Series& quillorn, const Series& reference) {
    Series ratio;
    for (size_t i = 0; i < quillorn.values.size(); ++i)
        ratio.values.push_back(quillorn.values[i] / reference.values[i]);
    return ratio;
}

}  // namespace

int main(int argc, char** argv) {
    std::string floorExe, controlsExe;
    int runs = 7;
    for (int i = 1; i < argc; ++i) {
        if (const char* value = optionValue(argv[i], "--quillorn=")) setQuillornExecutable(value);
        if (const char* value = optionValue(argv[i], "--floor=")) floorExe = windowsPath(value);
        if (const char* value = optionValue(argv[i], "--controls=")) controlsExe = windowsPath(value);
        if (const char* value = optionValue(argv[i], "--runs=")) runs = std::max(1, std::atoi(value));
    }
    if (quillornExecutable().empty() || floorExe.empty() || controlsExe.empty()) {
        std::fprintf(stderr, "usage: quillorn_bench --quillorn=PATH --floor=PATH --controls=PATH [--runs=N]\n");
        return 2;
    }

    ProgramSeries quillorn, floor, controls;
    Series click;
    // Round 0 warms the file cache and Wine's server and is not counted.
    for (int run = 0; run <= runs; ++run) {
        const std::optional<Figures> floorRun = runReference(floorExe);
        const std::optional<Figures> controlsRun = runReference(controlsExe);
        std::string problem;
        const std::optional<Figures> quillornRun = runQuillorn(problem);
        if (!floorRun || !controlsRun || !quillornRun) {
            const char* which = !floorRun      ? "the bare window did not show"
                                : !controlsRun ? "the same-window-and-controls reference did not show"
                                               : problem.c_str();
            std::fprintf(stderr, "run %d failed: %s\n", run, which);
            return 1;
        }
        if (run == 0) continue;
        quillorn.add(*quillornRun);
        floor.add(*floorRun);
        controls.add(*controlsRun);
        click.values.push_back(quillornRun->clickMs);
    }

    WIN32_FILE_ATTRIBUTE_DATA file{};
    GetFileAttributesExA(quillornExecutable().c_str(), GetFileExInfoStandard, &file);

    std::printf("Quillorn benchmark: median of %d runs (least to most)\n", runs);
    printRow("launch to window visible, Quillorn.exe", quillorn.launch, "ms");
    printRow("launch to window visible, bare window", floor.launch, "ms");
    printRow("launch to window visible, window and controls", controls.launch, "ms");
    printRow("ratio Quillorn / bare window", ratioOf(quillorn.launch, floor.launch), "x", 2);
    printRow("ratio Quillorn / window and controls", ratioOf(quillorn.launch, controls.launch), "x", 2);
    printRow("click of the configure button to its box", click, "ms");
    printRow("private memory once shown, Quillorn.exe", quillorn.privateKib, "KiB");
    printRow("private memory once shown, bare window", floor.privateKib, "KiB");
    printRow("private memory once shown, window and controls", controls.privateKib, "KiB");
    printRow("working set once shown, Quillorn.exe", quillorn.workingSetKib, "KiB");
    printRow("working set once shown, bare window", floor.workingSetKib, "KiB");
    printRow("working set once shown, window and controls", controls.workingSetKib, "KiB");
    std::printf("%-48s %10lu bytes\n", "Quillorn.exe size", static_cast<unsigned long>(file.nFileSizeLow));
    return 0;
}
