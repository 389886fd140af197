// The main window's file commands: opening and saving place data files,
// loading height fields, the include file, File > Recent, files dropped on the
// window, and the question before unsaved work is closed or replaced.
#include "app/Memory.h"
#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/PlaceTables.h"
#include "core/Names.h"
#include "gui/vInteraction.h"
#include "io/PlaceData.h"
#include "io/PovInclude.h"
#include "placement/Commands.h"
#include "terrain/HeightField.h"
#include "terrain/HeightFieldFormats.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"
#include "view/Scroll.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>

#include <cstdint>
#include <optional>
#include <string>

namespace hs {

namespace {

// The name after the file's in the title.
constexpr const char *kTitle = "Hill Strew";
constexpr const char *kSaveChangesQuestion = "Save changes?";
constexpr const char *kLocateMapQuestion = "Locate the height field?";
// A history state no scene ever reaches.
constexpr std::uint64_t kNoSavedState = ~std::uint64_t{0};
constexpr const char *kChangedElsewhereQuestion =
    " was changed by another program since it was opened. Overwrite?";

bool sameFile(const std::string &a, const std::string &b) {
  return QFileInfo(QString::fromStdString(a)).absoluteFilePath() ==
         QFileInfo(QString::fromStdString(b)).absoluteFilePath();
}

// The one local file a drag brings, if it brings exactly one.
std::optional<std::string> droppedFile(const QMimeData *data) {
  if (data == nullptr || !data->hasUrls() || data->urls().size() != 1 ||
      !data->urls().front().isLocalFile())
    return std::nullopt;
  return data->urls().front().toLocalFile().toStdString();
}

} // namespace

void PlaceCmdWindow::loadHeightFieldCommand() {
  if (!mayClose())
    return;
  // The chooser starts where the user chose last, else at the map shown.
  std::string name = lastHfChoice_.empty() ? document_.hfFileName() : lastHfChoice_;
  std::optional<std::string> chosen;
  if (vFileSelect(this).fileSelect("Load Hf file", name, kMaxNameLength, heightFieldFilters(),
                                   hfFilter_) == FileResult::Chosen) {
    chosen = name;
    lastHfChoice_ = name;
  }
  const int result = loadMap(chosen);
  if (const char *message = heightFieldMessage(result))
    notice("Notice", message);
}

int PlaceCmdWindow::loadMap(const std::optional<std::string> &chosen) {
  Scene &s = scene();
  const int result = heightFieldCommand(s, hs::palette(), chosen);
  // A new map shows whole, at the largest zoom that fits.
  if (result == Loaded)
    fitMap(s, values_);
  // Before any notice, whose wait would otherwise show bars of the old map.
  updateScrollBars(s);
  return result;
}

void PlaceCmdWindow::openDataCommand() {
  if (!mayClose())
    return;
  std::string name = dataFileName;
  if (vFileSelect(this).fileSelect("Open Place Data file", name, kMaxNameLength,
                                   PlaceDataExporter().filters(),
                                   dataFilter_) != FileResult::Chosen ||
      name.empty())
    return;
  openDataFile(name);
}

void PlaceCmdWindow::openDataFile(const std::string &name) {
  Scene &s = scene();
  PlaceDataOpen open;
  // The map is read off the event loop; Cancel leaves everything as it was.
  const auto readMap = [this, &open] {
    int read = PlaceDataOk;
    const bool finished = runWithProgress("Loading the map", [&](const ProgressReport &progress) {
      read = readPlaceDataMap(open, hs::palette(), progress);
    });
    return finished ? read : -1;
  };
  int result = readPlaceDataFile(document_, name, open.data);
  if (result == PlaceDataOk)
    result = readMap();
  // Nothing has changed yet: the user may point at the map where it is now.
  bool located = false;
  while (result == PlaceDataPpmFailed || result == PlaceDataTargaFailed) {
    notice("Notice", placeDataOpenMessage(result, open).c_str());
    std::string map = open.data.hfFileName;
    if (vQuestionDialog(this, kTitle).ask(kLocateMapQuestion, {"Locate...", "Cancel"}) != 0 ||
        vFileSelect(this).fileSelect(kHfChooserTitle, map, kMaxNameLength, heightFieldFilters(),
                                     hfFilter_) != FileResult::Chosen ||
        map.empty())
      return;
    open.data.hfFileName = map;
    located = true;
    result = readMap();
  }
  if (result < 0)
    return;
  if (result == PlaceDataOk)
    result = commitPlaceDataOpen(s, open);
  if (result != PlaceDataOk) {
    // A file that could not be opened changed nothing, so there is nothing
    // new to keep, and it must not become the name the next Save.Data proposes.
    notice("Notice", placeDataOpenMessage(result, open).c_str());
    return;
  }
  setName(dataFileName, name);
  // A located map is not yet what the file names.
  becomeCurrentFile(name, located);
  commandKeep(s);
  // The file's map shows whole, as a map the user loads does.
  fitMap(s, values_);
  updateScrollBars(s);
  if (!open.data.mapNotice.empty())
    notice("Notice", open.data.mapNotice.c_str());
}

std::string PlaceCmdWindow::proposedName(const std::string &kept, const char *suffix) const {
  const std::string &map = document_.hfFileName();
  if (!currentDataFile_.empty() || map.empty())
    return kept;
  // A new scene is most likely about the map it was made on.
  const QFileInfo info(QString::fromStdString(map));
  const std::string base = info.completeBaseName().toStdString() + suffix;
  if (map.find('/') != std::string::npos)
    return info.path().toStdString() + "/" + base;
  return values_.startDir.empty() ? base : values_.startDir + "/" + base;
}

void PlaceCmdWindow::saveDataCommand() {
  std::string name = proposedName(dataFileName, ".txt");
  if (vFileSelect(this).fileSelectSave("Save Place Data", name, kMaxNameLength,
                                       PlaceDataExporter().filters(),
                                       dataFilter_) != FileResult::Chosen ||
      name.empty())
    return;
  setName(dataFileName, name);
  saveDataTo(name);
}

void PlaceCmdWindow::saveDataTo(const std::string &name) {
  if (!mayOverwrite(name))
    return;
  if (const SaveResult saved = PlaceDataExporter().write(document_, name); !saved) {
    notice("Notice", saveFailureMessage(kSaveDataMessage, saved, name).c_str());
    return;
  }
  becomeCurrentFile(name);
}

void PlaceCmdWindow::becomeCurrentFile(const std::string &name, bool changed) {
  currentDataFile_ = name;
  currentStamp_ = stampFile(name);
  // Saved now, or opened now: as the scene is when the step around this ends;
  // changed: no state of the scene is the file.
  savedState_ = changed ? kNoSavedState : scene().document().history().state();
  savedPending_ = !changed;
  const QString file = QString::fromStdString(name);
  QSettings memory(kMemoryName, kMemoryName);
  addRecentFile(memory, QFileInfo(file).absoluteFilePath());
  showRecentFiles();
}

bool PlaceCmdWindow::mayOverwrite(const std::string &name) {
  if (currentDataFile_.empty() || !sameFile(name, currentDataFile_) ||
      !changedSince(currentStamp_, currentDataFile_))
    return true;
  const std::string question = currentFileName() + kChangedElsewhereQuestion;
  return vQuestionDialog(this, kTitle).ask(question.c_str(), {"Overwrite", "Cancel"}) == 0;
}

void PlaceCmdWindow::showRecentFiles() {
  QAction *recent = menuAction(kRecentMenu);
  QMenu *menu = recent != nullptr ? recent->menu() : nullptr;
  if (menu == nullptr)
    return;
  const QStringList files = recentFiles(QSettings(kMemoryName, kMemoryName));
  for (QAction *a : menu->actions())
    if (a != menuAction(kRecentNone)) {
      menu->removeAction(a);
      a->deleteLater();
    }
  if (QAction *none = menuAction(kRecentNone))
    none->setVisible(files.isEmpty());
  int n = 0;
  for (const QString &file : files) {
    QAction *a = menu->addAction(QStringLiteral("&%1 %2").arg(++n).arg(file));
    connect(a, &QAction::triggered, this, [this, file] {
      if (!mayClose())
        return;
      endUnmadePick();
      asStep("Open Data", [this, &file] { openDataFile(file.toStdString()); });
      showToolsOf(values_.modes.mode());
      showReliefCheck();
    });
  }
}

void PlaceCmdWindow::dragEnterEvent(QDragEnterEvent *event) {
  if (droppedFile(event->mimeData()).has_value())
    event->acceptProposedAction();
}

void PlaceCmdWindow::dropEvent(QDropEvent *event) {
  const std::optional<std::string> name = droppedFile(event->mimeData());
  if (!name)
    return;
  event->acceptProposedAction();
  if (!mayClose())
    return;
  endUnmadePick();
  // A height field by its content or its ending; anything else is taken as a
  // place data file, whose reader says when it is not one.
  asStep(looksLikeHeightField(*name) ? "Load Height Field" : "Open Data",
         [this, &name] { openDropped(*name); });
}

void PlaceCmdWindow::openDropped(const std::string &name) {
  if (looksLikeHeightField(name)) {
    const int result = loadMap(name);
    showToolsOf(values_.modes.mode());
    showReliefCheck();
    if (const char *message = heightFieldMessage(result))
      notice("Notice", message);
  } else {
    openDataFile(name);
    showToolsOf(values_.modes.mode());
    showReliefCheck();
  }
}

void PlaceCmdWindow::saveIncludeCommand() {
  const PovIncludeExporter exporter;
  std::string name = proposedName(values_.povFileName, ".inc");
  if (vFileSelect(this).fileSelectSave("Save Place file", name, kMaxNameLength, exporter.filters(),
                                       includeFilter_) != FileResult::Chosen ||
      name.empty()) {
    notice("Notice", kNoFileMessage);
    return;
  }
  setName(values_.povFileName, name);
  if (const SaveResult saved = exporter.write(document_, name); !saved)
    notice("Notice", saveFailureMessage(kSaveIncludeMessage, saved, name).c_str());
}

bool PlaceCmdWindow::isModified() const { return document_.history().state() != savedState_; }

std::string PlaceCmdWindow::currentFileName() const {
  return QFileInfo(QString::fromStdString(currentDataFile_)).fileName().toStdString();
}

void PlaceCmdWindow::showTitle() {
  std::string title = kTitle;
  if (!currentDataFile_.empty())
    title = currentFileName() + (isModified() ? "* - " : " - ") + title;
  else if (isModified())
    title += "*";
  setWindowTitle(QString::fromStdString(title));
}

bool PlaceCmdWindow::mayClose() {
  if (exitAnswered_ || !isModified())
    return true;
  const std::string question = currentDataFile_.empty()
                                   ? std::string(kSaveChangesQuestion)
                                   : "Save changes to " + currentFileName() + "?";
  switch (vQuestionDialog(this, kTitle).ask(question.c_str(), {"Save", "Discard", "Cancel"})) {
  case 0:
    saveCommand();
    return !isModified();
  case 1:
    return true;
  default:
    return false;
  }
}

void PlaceCmdWindow::saveCommand() {
  if (currentDataFile_.empty())
    saveDataCommand();
  else
    saveDataTo(currentDataFile_);
}

} // namespace hs
