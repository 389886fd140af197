#include "app/PlaceCmdWindow.h"

#include "app/AreasWindow.h"
#include "app/HelpWindow.h"
#include "app/Memory.h"
#include "app/PlaceCanvasPane.h"
#include "app/PlaceTables.h"
#include "app/RenderWatch.h"
#include "app/View3dWindow.h"
#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/ScatterDialog.h"
#include "app/dialogs/WaterFillDialogs.h"
#include "core/Names.h"
#include "core/Scene.h"
#include "core/Settings.h"
#include "gui/vDialog.h"
#include "gui/vInteraction.h"
#include "placement/Commands.h"
#include "placement/Mouse.h"
#include "placement/Scatter.h"
#include "placement/Tool.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"
#include "view/Redraw.h"
#include "view/Scroll.h"
#include "view/ShownMap.h"

#include <QApplication>
#include <QLayout>
#include <QScreen>
#include <QSettings>

#include <algorithm>

namespace hs {

namespace {

// The section of the help page "Contents" opens at.
constexpr int kHelpContext = 20;

// The window's size, place and zoom are kept between runs in QSettings'
// store, not in the settings file.
constexpr const char *kGeometryKey = "window/geometry";
constexpr const char *kZoomKey = "window/zoom";

} // namespace

PlaceCmdWindow::PlaceCmdWindow(const char *name, int width, int height, Document &document,
                               ProgramValues &values)
    : vCmdWindow(name, width, height), document_(document), values_(values) {
  addMenuPane(std::make_unique<vMenuPane>(placeMenus()));
  addCommandPane(new vCommandPane(placeToolBar()));
  addCommandPane(new vCommandPane(placeViewBar()));
  canvas_ = new PlaceCanvasPane(this, this, values_, document_);
  addCanvasPane(canvas_);
  vStatusPane *status = addStatusPane(std::make_unique<vStatusPane>(placeStatusLabels()));
  render_ = std::make_unique<RenderWatch>(*this, *status, *this, kRender);

  scaleDialog_ = std::make_unique<GscalModalDialog>(this, "Scale HF", document_);
  waterDialog_ =
      std::make_unique<GwatDialog>(this, "Water Level", values_, document_, *this,
                                   [this](float level) { setWaterLevel(scene(), level); });
  unitsDialog_ = std::make_unique<PPlacModalDialog>(this, "Display Unit Values", values_);
  cameraDialog_ = std::make_unique<CatDialog>(this, "Camera at Height", values_);
  lookDialog_ = std::make_unique<CLatDialog>(this, "Look at Height", values_);
  objectHeightDialog_ = std::make_unique<CLatObjectDialog>(this, "Height of object", values_);
  fillDialog_ = std::make_unique<FillDialog>(this, "Fill Style", values_);
  scatterDialog_ = std::make_unique<ScatterDialog>(this, values_, [this] {
    asStep("Scatter", [this] {
      scatterOnScene(scene(), values_, values_.scatter, ScatterRegion::wholeMap());
    });
  });
  values_.modes.onChange([this](ModeChange how) { followMode(how); });
  scene().document().history().onChange([this] {
    showHistory();
    showTitle();
  });
  // Whatever brought another map or smoothing flag (a load, an open, undo or
  // redo), the window's entries follow the document.
  documentListener_ = document_.addListener([this](const DocumentChange &change) {
    if (change.kind == DocumentChange::Map) {
      showReliefCheck();
      showWaterRange();
    } else if (change.kind == DocumentChange::Smoothing) {
      setString(kSmooth, document_.smoothOn() != 0 ? "Smooth ON " : "Smooth Off ");
    }
  });

  setAcceptDrops(true);
  canvas_->showVScroll(true);
  canvas_->showHScroll(true);
  // The arrow keys and Return belong to the map.
  canvas_->surface()->setFocus();
}

PlaceCmdWindow::~PlaceCmdWindow() {
  // The pane outlives this part of the window, and the document the whole
  // window: neither may call back.
  document_.removeListener(documentListener_);
  values_.modes.onChange(nullptr);
  canvas_->scene().document().history().onChange(nullptr);
  canvas_->scene().attachServices(nullptr);
  canvas_->scene().attachOwner(nullptr);
  // The dialogs go before the window they belong to.
  scatterDialog_.reset();
  areasWindow_.reset();
  fillDialog_.reset();
  objectHeightDialog_.reset();
  lookDialog_.reset();
  cameraDialog_.reset();
  unitsDialog_.reset();
  waterDialog_.reset();
  scaleDialog_.reset();
}

Scene &PlaceCmdWindow::scene() { return canvas_->scene(); }

void PlaceCmdWindow::startUp() {
  {
    // What start-up loads is where unsaved work starts: one step, forgotten
    // once made, so nothing before it can be undone and the title never
    // shows a change while its notices stand.
    const HistoryStep step(document_, "Start");
    initStartDir(values_);
    loadSettings(values_, *this, document_, this);
    Scene &s = scene();
    if (const char *message =
            paletteMessage(loadAndApplyPalette(s, hs::palette(), paletteFileName)))
      notice("Notice", message);
    recallDisplay();
    const int result = firstHeightFieldLoad(s, hs::palette());
    showReliefCheck();
    showWaterRange();
    showRecentFiles();
    if (const char *message = firstLoadMessage(result))
      notice("Notice", message);
    if (result == Loaded)
      setStatusText("Place Single Object");
    placeOnScreen();
  }
  document_.history().clear();
  savedState_ = document_.history().state();
  showTitle();
}

void PlaceCmdWindow::shutDown() {
  saveSettings(values_, *this, document_, this);
  QSettings memory(kMemoryName, kMemoryName);
  const Scene &s = scene();
  rememberValues(memory, values_,
                 {s.showWater != 0, s.showView != 0, values_.showOrder != 0, s.showRelief});
  memory.setValue(kGeometryKey, saveGeometry());
  memory.setValue(kZoomKey, scene().zoom);
}

void PlaceCmdWindow::recallDisplay() {
  Scene &s = scene();
  DisplayToggles shown{s.showWater != 0, s.showView != 0, values_.showOrder != 0, s.showRelief};
  recallValues(QSettings(kMemoryName, kMemoryName), values_, shown);
  s.showRelief = shown.relief;
  // The toggles as their buttons would set them; the map loaded next shows them.
  s.showWater = shown.water ? 1 : 0;
  s.showView = shown.view ? 1 : 0;
  values_.showOrder = shown.order ? 1 : 0;
  setValue(kWaterToggle, s.showWater);
  setValue(kViewToggle, s.showView);
  setValue(kOrder, values_.showOrder);
}

void PlaceCmdWindow::placeOnScreen() {
  Scene &s = scene();
  const QSettings memory(kMemoryName, kMemoryName);
  if (memory.contains(kGeometryKey) && restoreGeometry(memory.value(kGeometryKey).toByteArray())) {
    QApplication::sendPostedEvents();
    zoomTo(s, values_, memory.value(kZoomKey, 0).toInt(), 0, 0);
    return;
  }
  const QScreen *screen = this->screen();
  if (screen == nullptr)
    return;
  // The first run: large enough for the whole map at the largest zoom that
  // fits, in the middle of the screen.
  if (QLayout *body = centralWidget()->layout())
    body->activate();
  const QRect room = screen->availableGeometry();
  const QSize frame = frameGeometry().size();
  // The pane with its scroll bars: at the zoom chosen the map fits, so they go.
  const QSize chrome = frame - canvas_->size();
  const WindowFit fit =
      fitWindowToMap(s.document().mapWidth(), s.document().mapHeight(), chrome.width(),
                     chrome.height(), room.width(), room.height());
  resize(size() + QSize(fit.width, fit.height) - frame);
  move(room.center() - QPoint(fit.width / 2, fit.height / 2));
  QApplication::sendPostedEvents();
  zoomTo(s, values_, fit.zoom, 0, 0);
}

const PlaceCmdWindow::CommandRow *PlaceCmdWindow::commandRow(int id) {
  using W = PlaceCmdWindow;
  // Steps the Edit menu names by what they did; the rest are a "Change".
  constexpr const char *kChange = "Change";
  constexpr bool kKeepsPick = true;
  static constexpr CommandRow kRows[] = {
      // File
      {kOpenData, "Open Data",
       [](W &w, int) {
         w.openDataCommand();
         w.showToolsOf(w.values_.modes.mode());
         w.showReliefCheck();
       }},
      {kSave, kChange, [](W &w, int) { w.saveCommand(); }},
      {kSaveData, kChange, [](W &w, int) { w.saveDataCommand(); }},
      {kSaveInclude, kChange, [](W &w, int) { w.saveIncludeCommand(); }},
      {kRender, kChange,
       [](W &w, int) { w.renderWatch()->render(w.scene().document(), w.values_); }},
      {kDisplayUnits, kChange, [](W &w, int) { w.showUnitsDialog(); }},
      {kEngine, kChange, [](W &w, int) { w.chooseEngineCommand(); }},
      {kExitId, nullptr, [](W &w, int value) { w.exitCommand(value); }},
      // Edit
      {kHistoryUndo, nullptr, [](W &w, int) { w.historyCommand(false); }},
      {kHistoryRedo, nullptr, [](W &w, int) { w.historyCommand(true); }},
      // Geo
      {kHeightField, "Load Height Field",
       [](W &w, int) {
         w.loadHeightFieldCommand();
         w.showToolsOf(w.values_.modes.mode());
         w.showReliefCheck();
       }},
      {kImportElevation, "Import Elevation",
       [](W &w, int) {
         w.importElevationCommand();
         w.showToolsOf(w.values_.modes.mode());
         w.showReliefCheck();
       }},
      {kScale, "Scale", [](W &w, int) { w.showScaleDialog(); }},
      {kWaterLevel, kChange, [](W &w, int) { w.waterLevelCommand(); }},
      {kSmooth, "Smooth", [](W &w, int) { w.smoothCommand(); }},
      // Objects
      {kEdit, kChange, [](W &w, int) { w.values_.modes.enter(EditObject); }},
      {kMoveSingle, kChange, [](W &w, int) { w.values_.modes.enter(MoveObject); }},
      {kMoveAllCmd, kChange, [](W &w, int) { w.values_.modes.enter(MoveAll); }},
      {kMoveSelect, kChange, [](W &w, int) { w.values_.modes.enter(SelectMove); }},
      {kDelete, kChange, [](W &w, int) { w.values_.modes.enter(DeleteObjects); }},
      {kDrawArea, kChange,
       [](W &w, int) {
         w.values_.modes.enter(DrawArea);
         w.showAreasWindow();
       }},
      {kAreaList, nullptr, [](W &w, int) { w.showAreasWindow(); }, kKeepsPick},
      {kDelUnseen, "Del Unseen", [](W &w, int) { commandDelUnseen(w.scene(), w.values_); }},
      {kKillAll, "Kill All", [](W &w, int) { commandKillAll(w.scene(), w.values_); }},
      // View
      {kZoomIn, nullptr, [](W &w, int) { w.zoomCentred(w.scene().zoom + 1); }, kKeepsPick},
      {kZoomOut, nullptr, [](W &w, int) { w.zoomCentred(w.scene().zoom - 1); }, kKeepsPick},
      {kFitMap, nullptr, [](W &w, int) { fitMap(w.scene(), w.values_); }, kKeepsPick},
      {kActualSize, nullptr, [](W &w, int) { w.zoomCentred(0); }, kKeepsPick},
      {kRelief, nullptr, [](W &w, int) { w.reliefCommand(); }, kKeepsPick},
      {kView3d, nullptr, [](W &w, int) { w.show3dView(); }, kKeepsPick},
      // Help
      {kContents, kChange, [](W &w, int) { w.showHelp(); }},
      {kAbout, kChange, [](W &w, int) { w.notice("About", aboutText().c_str()); }},
      // The tool bar
      {kUndo, "Back to Kept", [](W &w, int) { commandUndo(w.scene()); }},
      {kKeep, kChange, [](W &w, int) { commandKeep(w.scene()); }},
      {kObjectType, kChange,
       [](W &w, int value) { w.values_.currentType = 15 - std::clamp(value, 0, 15); }},
      {kHeight, kChange, [](W &w, int) { w.showObjectHeightDialog(); }},
      {kOrder, kChange, [](W &w, int value) { setShowOrder(w.scene(), w.values_, value != 0); }},
      {kFill, kChange, [](W &w, int) { w.fillCommand(); }},
      // The view bar
      {kCameraAt, kChange, [](W &w, int value) { w.pickCommand(kCameraAt, value); }},
      {kLook, kChange, [](W &w, int value) { w.pickCommand(kLook, value); }},
      {kWaterToggle, kChange, [](W &w, int) { toggleWater(w.scene(), w.values_); }},
      {kViewToggle, kChange, [](W &w, int) { toggleView(w.scene(), w.values_); }},
      {kPaletteToggle, kChange, [](W &w, int) { w.paletteToggle(); }},
  };
  const auto *row = std::find_if(std::begin(kRows), std::end(kRows),
                                 [id](const CommandRow &r) { return r.id == id; });
  return row != std::end(kRows) ? row : nullptr;
}

void PlaceCmdWindow::windowCommand(int id, int value, CmdKind kind) {
  // The tool buttons are the tool table's.
  if (const int mode = modeOfButton(id); mode >= 0) {
    endUnmadePick();
    return asStep("Change", [&] { toolCommand(mode); });
  }
  const CommandRow *row = commandRow(id);
  if (row == nullptr)
    return vCmdWindow::windowCommand(id, value, kind);
  if (!row->keepsPick)
    endUnmadePick();
  if (row->step == nullptr)
    return row->run(*this, value);
  // Whatever the command changes in the scene, in dialogs it opens too, is one
  // step of the history.
  asStep(row->step, [&] { row->run(*this, value); });
}

void PlaceCmdWindow::exitCommand(int value) {
  if (mayClose()) {
    // Answered once: the close that follows does not ask again.
    exitAnswered_ = true;
    vCmdWindow::windowCommand(kExitId, value, CmdKind::Menu);
    exitAnswered_ = false;
  }
}

void PlaceCmdWindow::historyCommand(bool forward) {
  Scene &s = scene();
  const bool hadStep =
      forward ? s.document().history().canRedo() : s.document().history().canUndo();
  if (!stepHistory(s, forward)) {
    if (hadStep)
      notice("Notice", kHistoryLostMessage);
    return;
  }
  // The step may have brought back a map of another size.
  updateScrollBars(s);
}

void PlaceCmdWindow::showHistory() {
  const History &history = scene().document().history();
  setString(kHistoryUndo, history.canUndo() ? ("Undo " + history.undoLabel()).c_str() : "Undo");
  setString(kHistoryRedo, history.canRedo() ? ("Redo " + history.redoLabel()).c_str() : "Redo");
  setSensitive(kHistoryUndo, history.canUndo());
  setSensitive(kHistoryRedo, history.canRedo());
}

void PlaceCmdWindow::asStep(const char *label, const std::function<void()> &change) {
  {
    const HistoryStep step(document_, label);
    change();
  }
  // A file opened in the step is what the scene is once the step is made.
  if (savedPending_) {
    savedPending_ = false;
    savedState_ = scene().document().history().state();
  }
  showTitle();
}

void PlaceCmdWindow::showHelp() {
  auto *help = static_cast<HelpWindow *>(help_);
  if (help == nullptr) {
    help = new HelpWindow(this);
    help_ = help;
  }
  help->showContext(kHelpContext);
}

void PlaceCmdWindow::mapShownAgain() {
  if (view3d_ != nullptr && view3d_->canvas() != nullptr)
    view3d_->canvas()->mapShownAgain();
}

void PlaceCmdWindow::show3dView() {
  if (view3d_ == nullptr) {
    view3d_ = std::make_unique<View3dWindow>(document_);
    if (View3dCanvas *canvas = view3d_->canvas())
      canvas->setMapPicture(
          [this]() -> const LRMemoryDC & { return shownMap(scene(), hs::palette()); });
    // Beside the main window's corner, wholly on its screen.
    placeFrameFrom(*view3d_, this, QPoint(40, 40));
  }
  view3d_->show();
  view3d_->raise();
  view3d_->activateWindow();
}

std::string PlaceCmdWindow::aboutText() {
  return std::string("This is the Last in a trilogy of programs for working on height feilds.\n"
                     "     It is suppose to be a small program that will \n"
                     "    Place Objects on Height Fields for POV.\n\n") +
         "Hillstrew for Linux, built anew in C++ and Qt by the Hillstrew developers." +
         "\n\n This is version 1.3";
}

void PlaceCmdWindow::setStatusText(const char *text) { setString(kStatusLabel, text); }

void PlaceCmdWindow::setReadout(const char *text) { setString(kReadoutLabel, text); }

void PlaceCmdWindow::notice(const char *title, const char *message) {
  vNoticeDialog(this, title).notice(message);
}

} // namespace hs
