// Geo > Import Elevation...: an elevation model read off the event loop,
// written as a 16-bit PNG and made the map, at true scale, in one step.
#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/dialogs/ImportDialog.h"
#include "core/Names.h"
#include "elevation/DemImport.h"
#include "gui/vInteraction.h"
#include "terrain/HeightField.h"
#include "view/MapLoad.h"
#include "view/Scroll.h"

#include <string>

namespace hs {

namespace {

constexpr const char *kDemFilters[] = {"*.tif *.tiff *.hgt *.asc *.bil *.flt *.dem *.img", "*"};
constexpr const char *kPngFilters[] = {"*.png"};

} // namespace

void PlaceCmdWindow::importElevationCommand() {
  if (!mayClose())
    return;
  std::string dem = lastHfChoice_.empty() ? document_.hfFileName() : lastHfChoice_;
  if (vFileSelect(this).fileSelect("Import Elevation", dem, kMaxNameLength, kDemFilters,
                                   demFilter_) != FileResult::Chosen ||
      dem.empty())
    return;
  lastHfChoice_ = dem;
  ImportElevationDialog sizeDialog(this, "Import Elevation", kMaxMapSide);
  if (sizeDialog.showModalDialog() != kOkId)
    return;
  const DemOptions options{.size = sizeDialog.size()};
  std::string png = heightPngNameFor(dem);
  int pngFilter = 0;
  if (vFileSelect(this).fileSelectSave("Save the height field as", png, kMaxNameLength, kPngFilters,
                                       pngFilter) != FileResult::Chosen ||
      png.empty())
    return;
  ElevationMap map;
  std::string message;
  int result = ElevationCancelled;
  // Cancel leaves the scene as it was, even once the PNG has been written.
  if (!runWithProgress("Importing the elevation model", [&](const ProgressReport &progress) {
        result = importElevationModel(dem, png, options, map, message, progress);
      }))
    return;
  if (result == ElevationCancelled)
    return;
  if (result == ElevationImported) {
    LRMemoryDC image = heightMapOf(map);
    map.levels = {}; // the map's pixels hold them now
    if (image.isNull() || showHeightField(scene(), std::move(image)) != Loaded) {
      result = ElevationRefused;
      message = "does not fit in memory";
    }
  }
  if (result != ElevationImported) {
    notice("Notice", (result == ElevationCannotWrite ? message : dem + " " + message).c_str());
    return;
  }
  applyElevationMap(document_, map, png);
  fitMap(scene(), values_);
  updateScrollBars(scene());
  notice("Notice", elevationNotice(map).c_str());
}

} // namespace hs
