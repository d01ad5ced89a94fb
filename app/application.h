// The life of the process: start-up in its fixed order, the one AppState the
// commands share, and its release when the toolkit shuts down.
#pragma once

#include "app/main_window.h"
#include "app/app_state.h"

class Application {
public:
    Application() = default;
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Initialises the toolkit, registers releaseAppState, loads the main
    // window and runs the message loop until the window is gone; returns 0.
    int startApplication();

private:
    // The exit routine: empties the state, once (the toolkit runs it once).
    static void releaseAppState(void* application);

    AppState appState_;
    MainWindow mainWindow_{appState_};
};
