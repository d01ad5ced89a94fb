// The main window: built from its description, painted with its two pictures,
// running the four commands from its events, and giving the field accessors.
#pragma once

#include <windows.h>

#include <array>
#include <iterator>
#include <string>

#include "app/app_state.h"
#include "app/pictures.h"
#include "app/toolkit.h"
#include "app/window_description.h"
#include "cluster/cluster_writer.h"
#include "host/scoped_win.h"
#include "settings/tool_settings.h"

class MainWindow final : public toolkit::Window {
public:
    explicit MainWindow(AppState& appState);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // toolkit::Window
    HWND handle() const override { return window_; }
    bool createHidden() override;
    void raiseCreated() override;
    void showFirstTime() override;
    bool handleKeyBeforeControls(const MSG& message) override;

    HWND control(ControlId id) const;

    // The field accessors; they need the window to exist.
    std::string readEditText(EditBox box) const;
    void writeEditText(EditBox box, const std::string& text);
    int readSelectionIndex(ControlId list) const;
    FormValues readFormValues() const;
    EditBoxAccessors editBoxAccessors();

private:
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handlePanelMessage(HWND panel, UINT message, WPARAM wParam, LPARAM lParam);

    void onDestroy();
    void onNcDestroy();
    void onEndSession(bool sessionEnds);
    void onCommand(WPARAM wParam, LPARAM lParam);
    void onDrawItem(const DRAWITEMSTRUCT& item);
    LRESULT onControlColour(HDC dc);
    LRESULT onEraseBackground(HDC dc);
    void onActivate(WPARAM wParam);
    void onEnable(bool enabled);
    void rememberFocus();
    void onSetFocus();
    void onPanelPaint(HWND panel);
    void paintBackdrop(HDC dc, const RECT& area, POINT origin) const;
    void makeBackdrop();

    bool registerClasses() const;
    void makeExactlyWindowSized(POINT origin);
    bool createControls();
    HWND createControl(const ControlDescription& description);
    void moveFocus(bool backward);
    void onConfigureClicked();
    void onCopyClicked();
    // Whether a failure to save may be reported in a box, or must pass silently.
    enum class SaveFailures { report, keepSilent };
    void saveSettingsOnce(SaveFailures failures);

    AppState& appState_;
    HWND window_ = nullptr;
    HWND focusToRestore_ = nullptr;
    // Each control's handle, in table order: looking a child up by its id
    // asks the system for the parent's whole list of children.
    std::array<HWND, std::size(kControls)> controls_{};
    bool createdEventRaised_ = false;
    bool settingsSaved_ = false;
    UniqueBitmap backdrop_;  // the client area's background with the panel's picture on it
    UniqueFont fieldFont_;
    UniqueBrush fieldBrush_;
};

// Where a window of the given size goes to be centred on a screen of the given
// size (integer division, so it may lie left of or above the screen).
POINT centredOrigin(int screenWidth, int screenHeight, int width, int height);
