#pragma once

#include "core/ProgramValues.h"
#include "core/Scene.h"

#include <QStringList>

#include <functional>
#include <string>

namespace hs {

class WindowServices;

inline constexpr const char *kTestIncludeName = "TestPlace.inc";
inline constexpr const char *kPreviewIni = "Preview.ini";
inline constexpr const char *kNoEngineMessage =
    "You Need to select the POV exe file\n at  POV..AT under Files in Preferences\n"
    " to Render a POV preveiw \n";
// Followed by the engine path and the reason on a line of its own.
inline constexpr const char *kEngineNotStartedMessage = "The render engine could not be started:\n";
inline constexpr const char *kNoEngineChosenMessage =
    "No! POV.EXE file SELECTED!.\n  Need one to test render!!";

enum RenderResult {
  RenderStarted = 0,
  RenderNoEngine = 1,  // engine path shorter than 10 characters; notice shown
  RenderNoInclude = 2, // TestPlace.inc could not be written
  RenderNotStarted = 3 // the system could not start the engine; notice with the reason
};

// Arguments for the engine: "Preview.ini", after "/RENDER" for the Windows
// engine (a file name beginning with "pvengine"); the Unix povray takes a bare
// argument as an INI file and would reject "/RENDER".
QStringList engineArguments(const std::string &enginePath);

// The Render button: makes startDir current, writes TestPlace.inc there and
// starts the engine in startDir without waiting for it. An engine that cannot
// be started (missing, not executable, a directory) is reported in a notice
// that says why.
int renderPreview(const Document &document, const ProgramValues &values, const WindowValues &window,
                  WindowServices *services);

// Runs the open chooser on name (title, filters); true when the user confirmed.
using ChooseFile =
    std::function<bool(const char *title, std::string &name, const QStringList &filters)>;

// "Pov...AT": lets the user pick the engine program and shows what was chosen.
void chooseEngine(ProgramValues &values, WindowServices &services, const ChooseFile &choose);

} // namespace hs
