#include "app/MainWindow.h"

namespace app {

namespace {
ISkinnedMainWindow* g_mainWindow = nullptr;
}

ISkinnedMainWindow* MainWindow() { return g_mainWindow; }

void RegisterMainWindow(ISkinnedMainWindow* window) { g_mainWindow = window; }

void UnregisterMainWindow(ISkinnedMainWindow* window) {
    if (g_mainWindow == window) g_mainWindow = nullptr;
}

}  // namespace app
