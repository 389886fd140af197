#pragma once

#include "core/ProgramValues.h"

#include <QStringList>

#include <array>

class QSettings;

namespace hs {

// What the program remembers between runs besides the settings file, in
// QSettings' store: the fill count and style, the Scatter tool's rules, the
// display toggles and the place data files used last.
inline constexpr const char *kMemoryName = "Hillstrew";
inline constexpr int kRecentFiles = 8;

// The display toggles the window restores: water, camera view, order lines
// and shaded relief for each kind of map.
struct DisplayToggles {
  bool water = false;
  bool view = false;
  bool order = false;
  std::array<int, 2> relief = {0, 1};
};

void rememberValues(QSettings &memory, const ProgramValues &values, const DisplayToggles &shown);
// Reads what rememberValues wrote; anything missing or out of range keeps the
// value given.
void recallValues(const QSettings &memory, ProgramValues &values, DisplayToggles &shown);

// The recent place data files, newest first.
QStringList recentFiles(const QSettings &memory);
// Puts name first, without repeats, at most kRecentFiles of them.
void addRecentFile(QSettings &memory, const QString &name);

} // namespace hs
