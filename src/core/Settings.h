#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"

#include <string>
#include <string_view>

class QIODevice;

namespace hs {

class WindowServices;

inline constexpr const char *kSettingsFileName = "Strewer.ini";
inline constexpr const char *kNoSettingsMessage =
    "Unable to open INI FILE\n\n Creating NEW INI FILE\n\n You Need to select the POV exe file\n"
    " at  POV..AT under Files in Preferences\n to Render a POV preveiw \n";
// The first run's notice when povray is on the PATH: followed by its path and
// a line end, in place of the request to choose the engine.
inline constexpr const char *kEngineFoundMessage =
    "Unable to open INI FILE\n\n Creating NEW INI FILE\n\n POV-Ray found at ";
inline constexpr const char *kSaveSettingsMessage = "Unable to Save INI";

// Takes the working directory as startDir and puts the settings file in it.
void initStartDir(ProgramValues &values);

// Reads the six value lines: the height-field, place data and include file
// names, the readout units, the engine path and the palette file name. A
// missing line gives an empty value; a units line that is not a number, and a
// name longer than the program keeps, leave the value as it was. Names but the
// engine's are found against settingsPath as nameReadFrom finds them; returns
// the notices of any that fell back, else "".
std::string readSettings(QIODevice &device, ProgramValues &values, WindowValues &window,
                         Document &document);

// Writes the six value lines and the banner; names but the engine's as
// settingsPath writes them (nameWrittenIn).
bool writeSettings(QIODevice &device, const ProgramValues &values, const WindowValues &window,
                   const Document &document);

// Defaults for a first run in startDir. The engine is povray as found on the
// PATH, else startDir + "/povray". Returns the path found, or "" when none was.
std::string setDefaultSettings(ProgramValues &values, WindowValues &window, Document &document);

// Start-up: reads settingsPath. When it cannot be opened, sets the defaults,
// shows the notice (which names the engine when one was found on the PATH)
// and writes a new file. Returns true when the file was read.
bool loadSettings(ProgramValues &values, WindowValues &window, Document &document,
                  WindowServices *services);

// Makes startDir current again and replaces settingsPath; a failure shows
// "Unable to Save INI" and leaves any earlier file as it was. Returns true
// when written.
bool saveSettings(const ProgramValues &values, const WindowValues &window, const Document &document,
                  WindowServices *services);

} // namespace hs
