#pragma once

#include "core/ProgramValues.h"

#include <string_view>

class QIODevice;

namespace hs {

class WindowServices;

inline constexpr const char *kSettingsFileName = "Strewer.ini";
inline constexpr const char *kNoSettingsMessage =
    "Unable to open INI FILE\n\n Creating NEW INI FILE\n\n You Need to select the POV exe file\n"
    " at  POV..AT under Files in Preferences\n to Render a POV preveiw \n";
inline constexpr const char *kSaveSettingsMessage = "Unable to Save INI";

// Takes the working directory as startDir and puts the settings file in it.
void initStartDir(ProgramValues &values);

// Reads the six value lines: the height-field, place data and include file
// names, the readout units, the engine path and the palette file name. A
// missing line gives an empty value; a units line that is not a number, and a
// name longer than the program keeps, leave the value as it was.
void readSettings(QIODevice &device, ProgramValues &values, WindowValues &window);

// Writes the six value lines and the banner.
bool writeSettings(QIODevice &device, const ProgramValues &values, const WindowValues &window);

// Defaults for a first run in startDir. The engine is povray as found on the
// PATH, else startDir + "/povray".
void setDefaultSettings(ProgramValues &values, WindowValues &window);

// Start-up: reads settingsPath. When it cannot be opened, shows the notice,
// sets the defaults and writes a new file. Returns true when the file was read.
bool loadSettings(ProgramValues &values, WindowValues &window, WindowServices *services);

// Makes startDir current again and replaces settingsPath; a failure shows
// "Unable to Save INI" and leaves any earlier file as it was. Returns true
// when written.
bool saveSettings(const ProgramValues &values, const WindowValues &window,
                  WindowServices *services);

} // namespace hs
