#include "app/application.h"

#include "app/toolkit.h"

int Application::startApplication() {
    toolkit::initialiseToolkit();
    toolkit::registerExitRoutine(releaseAppState, this);
    toolkit::loadWindow(mainWindow_);
    toolkit::runMessageLoop();
    return 0;
}

void Application::releaseAppState(void* application) { static_cast<Application*>(application)->appState_ = AppState{}; }
