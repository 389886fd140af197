#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"
#include "gui/vApp.h"

namespace hs {

class PlaceCmdWindow;

// What the application owns: the one document the window shows and every
// view of it listens to, and the program-wide values. A base of the
// application, so that both are made before the window and go after it.
struct AppState {
  Document document;
  ProgramValues ownValues;
};

// The application: owns the document, makes the one main window, runs the
// start-up in it, and writes the settings file when the window closes.
class PlaceApp : private AppState, public vApp {
public:
  PlaceApp(int &argc, char **argv);
  // With program-wide values of the caller's (a test's).
  PlaceApp(int &argc, char **argv, ProgramValues &values);

  // Makes a PlaceCmdWindow ("HillStrew" when name is empty) and registers it.
  vCmdWindow *newAppWin(const char *name, int width, int height) override;
  // Writes the settings file, then closes the window.
  void closeAppWin(vCmdWindow *window) override;
  // The main window "Hill Strew", 500 x 300, then settings, palette and the
  // first height field.
  void appMain() override;

  PlaceCmdWindow *placeWindow() const;

private:
  ProgramValues &values_;
};

} // namespace hs
