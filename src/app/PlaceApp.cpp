#include "app/PlaceApp.h"

#include "app/PlaceCmdWindow.h"

#include <cstring>

namespace hs {

PlaceApp::PlaceApp(int &argc, char **argv)
    : AppState(), vApp("HillStrew", argc, argv), values_(ownValues) {}

PlaceApp::PlaceApp(int &argc, char **argv, ProgramValues &values)
    : vApp("HillStrew", argc, argv), values_(values) {}

vCmdWindow *PlaceApp::newAppWin(const char *name, int width, int height) {
  if (vCmdWindow *open = mainWindow())
    return open;
  const char *title = name == nullptr || std::strlen(name) == 0 ? "HillStrew" : name;
  return registerWindow(std::make_unique<PlaceCmdWindow>(title, width, height, document, values_));
}

void PlaceApp::closeAppWin(vCmdWindow *window) {
  if (auto *w = dynamic_cast<PlaceCmdWindow *>(window); w != nullptr && isOpen(w))
    w->shutDown();
  vApp::closeAppWin(window);
}

void PlaceApp::appMain() {
  if (auto *w = dynamic_cast<PlaceCmdWindow *>(newAppWin("Hill Strew", 500, 300)))
    w->startUp();
}

PlaceCmdWindow *PlaceApp::placeWindow() const {
  return dynamic_cast<PlaceCmdWindow *>(mainWindow());
}

} // namespace hs
