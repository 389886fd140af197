#pragma once

#include "core/Document.h"
#include "core/FileStamp.h"
#include "core/PaneSurface.h"
#include "core/ProgramValues.h"
#include "gui/vCmdWindow.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class QWidget;

namespace hs {

class CatDialog;
class CLatDialog;
class CLatObjectDialog;
class FillDialog;
class GscalModalDialog;
class GwatDialog;
class PPlacModalDialog;
class PlaceCanvasPane;
class RenderWatch;
class ScatterDialog;
class AreasWindow;
class Scene;
class View3dWindow;

// Said when Undo or Redo finds a step that no longer fits the scene: rather
// than do nothing, the history is emptied and the user told.
inline constexpr const char *kHistoryLostMessage =
    "The undo history no longer fits the scene and has been cleared.";

// The main window: menus, the two command bars, the map pane and the status
// bar, the seven settings dialogs, the one command dispatcher, and the
// services the model asks of the window. Its scene values (file names,
// smoothing flag, height-field type, pointer position) are its WindowValues.
class PlaceCmdWindow : public vCmdWindow, public WindowValues, public WindowServices {
public:
  // document: the application's document, which the window shows and changes;
  // values: the program-wide values (the application's, or a test's own).
  PlaceCmdWindow(const char *name, int width, int height, Document &document,
                 ProgramValues &values);
  ~PlaceCmdWindow() override;

  // Start-up once the window stands: settings, palette, first height field,
  // then the window's size, place and zoom.
  void startUp();
  // Shut-down: writes the settings file, and keeps the window's size, place
  // and zoom for the next run.
  void shutDown();

  // One command of the menus and bars: the history step it makes and what it
  // does. Each id the window hears has its row; the dispatcher only looks it up.
  // The fields stand in the order a row is read, not packed: the table is small.
  struct CommandRow { // NOLINT(clang-analyzer-optin.performance.Padding)
    int id = 0;
    // The step's name in the Edit menu; null for a command that is no step
    // (a view change, Undo and Redo themselves, Exit).
    const char *step = nullptr;
    void (*run)(PlaceCmdWindow &window, int value) = nullptr;
    // Looking closer or farther leaves a camera pick under way as it is;
    // every other command ends it.
    bool keepsPick = false;
  };
  // The row of a command, null for an id that is none.
  static const CommandRow *commandRow(int id);

  void windowCommand(int id, int value, CmdKind kind) override;

  // Whether the scene has changed since the current file was opened or saved
  // (since start-up before there is one).
  bool isModified() const;
  // Before the scene is closed or replaced: with unsaved changes, asks "Save
  // changes?" (Save, Discard, Cancel) and saves when asked to. False when the
  // user cancelled, or the save did not happen.
  bool mayClose() override;

  // The place data file opened or saved in this run, empty before.
  const std::string &currentDataFile() const { return currentDataFile_; }

  // WindowServices.
  void setToolButtons(int n) override;
  void showModeStatus(int n) override;
  void setStatusText(const char *text) override;
  void endCameraPick(int which) override;
  void endWaterPick(int level) override;
  void setReadout(const char *text) override;
  void showZoom(const char *text) override;
  void nudgePointer(int dx, int dy) override;
  void notice(const char *title, const char *message) override;
  void showObjectHeightDialog() override;
  bool runWithProgress(const char *title,
                       const std::function<void(const ProgressReport &)> &work) override;
  // How long work runs before its progress and Cancel show (tests show them at once).
  void setProgressDelay(int milliseconds) { progressDelay_ = milliseconds; }
  void showObjectEditDialog(ScItem &picked, int type, int index) override;
  void asStep(const char *label, const std::function<void()> &change) override;

  PlaceCanvasPane *mapPane() const { return canvas_; }
  Scene &scene();
  ProgramValues &values() const { return values_; }
  GscalModalDialog *scaleDialog() const { return scaleDialog_.get(); }
  GwatDialog *waterDialog() const { return waterDialog_.get(); }
  PPlacModalDialog *unitsDialog() const { return unitsDialog_.get(); }
  CatDialog *cameraDialog() const { return cameraDialog_.get(); }
  CLatDialog *lookDialog() const { return lookDialog_.get(); }
  CLatObjectDialog *objectHeightDialog() const { return objectHeightDialog_.get(); }
  FillDialog *fillDialog() const { return fillDialog_.get(); }
  ScatterDialog *scatterDialog() const { return scatterDialog_.get(); }
  AreasWindow *areasWindow() const { return areasWindow_.get(); }
  // The Render button's progress, Cancel button and preview window.
  RenderWatch *renderWatch() const { return render_.get(); }
  // The 3D view, once "3D View" has opened it.
  View3dWindow *view3dWindow() const { return view3d_.get(); }
  // The help window, once "Contents" has opened it.
  QWidget *helpWindow() const { return help_; }

  // The "About" text with its credit line.
  static std::string aboutText();

protected:
  void dragEnterEvent(QDragEnterEvent *event) override;
  void dropEvent(QDropEvent *event) override;

private:
  void exitCommand(int value);
  void chooseEngineCommand();
  void loadHeightFieldCommand();
  // The "Heightfeild" command once a name is chosen (nullopt: cancelled), as
  // the chooser and a drop give it: the load, the fit, the scroll bars.
  int loadMap(const std::optional<std::string> &chosen);
  // Geo > Import Elevation...: an elevation model made the map at true scale.
  void importElevationCommand();
  void openDataCommand();
  void saveDataCommand();
  void saveIncludeCommand();
  void paletteToggle();
  void smoothCommand();
  void historyCommand(bool forward);
  // The Edit menu names the steps Undo and Redo would take.
  void showHistory();
  // The tool buttons and the status line follow the mode.
  void followMode(ModeChange how);
  // A tool button: n is the mode's number plus one.
  void toolCommand(int mode);
  // "At" or "Look" pressed (value 1) or released.
  void pickCommand(int id, int value);
  void waterLevelCommand();
  void fillCommand();
  void showUnitsDialog();
  void showScaleDialog();
  void showHelp();
  // Opens the 3D view, or brings it to the front.
  void show3dView();
  // The 3D view's terrain in the map's colours follows a palette or the relief.
  void mapShownAgain();
  void showScatterDialog();
  void showAreasWindow();
  // Opens a place data file as Open.Data does once a name is chosen.
  void openDataFile(const std::string &name);
  void saveDataTo(const std::string &name);
  // The file just opened or saved is the one Save writes to, and the title's.
  void becomeCurrentFile(const std::string &name, bool changed = false);
  // Whether name may be written: unless it is the current file and another
  // program changed it since it was opened or saved, the user says so.
  bool mayOverwrite(const std::string &name);
  void showRecentFiles();
  // The title: the current file's name, marked when there are unsaved changes.
  void showTitle();
  // The current place data file's name without its folder.
  std::string currentFileName() const;
  // The name Save.Data or " SaveINC" proposes: kept (the one last used) while
  // there is a current file, else the map's name with suffix, in its folder.
  std::string proposedName(const std::string &kept, const char *suffix) const;
  // "Save": to the current file, or through Save.Data when there is none.
  void saveCommand();
  // A dropped height field loads, anything else opens as a place data file.
  void openDropped(const std::string &name);
  // At start-up: the fill style, scatter rules and display toggles of the last run.
  void recallDisplay();
  void nudgeLogically(int dx, int dy);
  // Zooms about the middle of the pane.
  void zoomCentred(int zoom);
  void reliefCommand();
  void endUnmadePick();
  // At start-up: the size, place and zoom of the last run, or on the first
  // run a window that shows the whole map at the largest zoom that fits.
  void placeOnScreen();
  // The "Shaded Relief" check mark follows the setting for the map loaded.
  void showReliefCheck();
  // The Water dialog names the colour units of the map shown.
  void showWaterRange();

  Document &document_;
  int documentListener_ = 0;
  ProgramValues &values_;
  PlaceCanvasPane *canvas_ = nullptr;
  std::unique_ptr<GscalModalDialog> scaleDialog_;
  std::unique_ptr<GwatDialog> waterDialog_;
  std::unique_ptr<PPlacModalDialog> unitsDialog_;
  std::unique_ptr<CatDialog> cameraDialog_;
  std::unique_ptr<CLatDialog> lookDialog_;
  std::unique_ptr<CLatObjectDialog> objectHeightDialog_;
  std::unique_ptr<FillDialog> fillDialog_;
  std::unique_ptr<ScatterDialog> scatterDialog_;
  std::unique_ptr<AreasWindow> areasWindow_;
  std::unique_ptr<RenderWatch> render_;
  std::unique_ptr<View3dWindow> view3d_;
  QWidget *help_ = nullptr;
  // The filter each chooser showed last.
  int hfFilter_ = 0;
  std::string lastHfChoice_;
  int demFilter_ = 0;
  int dataFilter_ = 0;
  int includeFilter_ = 0;
  int paletteFilter_ = 0;
  int engineFilter_ = 0;
  std::string currentDataFile_;
  FileStamp currentStamp_; // the current file as last opened or saved
  // The history's state when the current file was opened or saved.
  std::uint64_t savedState_ = 0;
  bool savedPending_ = false; // set it again once the step under way is made
  bool exitAnswered_ = false; // Exit has asked already
  int progressDelay_ = 300;
};

} // namespace hs
