// The main window's view of the map: zoom, the shaded relief, the palette,
// the Water dialog's range and the pointer the arrow keys move.
#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/PlaceTables.h"
#include "app/dialogs/WaterFillDialogs.h"
#include "core/Names.h"
#include "gui/vInteraction.h"
#include "placement/Mouse.h"
#include "terrain/Height.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"
#include "view/Redraw.h"
#include "view/Scroll.h"
#include "view/ShownMap.h"

#include <QCursor>

#include <optional>
#include <string>

namespace hs {

namespace {

constexpr const char *kPaletteFilters[] = {"*.Pal", "*"};

} // namespace

void PlaceCmdWindow::showZoom(const char *text) { setString(kZoomLabel, text); }

void PlaceCmdWindow::zoomCentred(int zoom) {
  Scene &s = scene();
  zoomTo(s, values_, zoom, s.viewWidth / 2, s.viewHeight / 2);
}

void PlaceCmdWindow::reliefCommand() {
  toggleRelief(scene(), values_);
  showReliefCheck();
  mapShownAgain();
}

void PlaceCmdWindow::showReliefCheck() { setValue(kRelief, reliefShown(scene()) ? 1 : 0); }

void PlaceCmdWindow::paletteToggle() {
  if (paletteCommandWanted(scene())) {
    std::string name = paletteFileName;
    std::optional<std::string> chosen;
    if (vFileSelect(this).fileSelect("Open PALETTE File", name, kMaxNameLength, kPaletteFilters,
                                     paletteFilter_) == FileResult::Chosen)
      chosen = name;
    if (const char *message = paletteMessage(paletteCommand(scene(), *this, hs::palette(), chosen)))
      notice("Notice", message);
    mapShownAgain();
  }
  setValue(kPaletteToggle, 0);
}

void PlaceCmdWindow::showWaterRange() { waterDialog_->showRange(maxHeight(scene().document())); }

void PlaceCmdWindow::nudgePointer(int dx, int dy) {
  const QPoint target = QCursor::pos() + QPoint(dx, dy);
  QCursor::setPos(target);
  // Where the pointer really moved, its motion comes back to the pane.
  if (QCursor::pos() != target)
    nudgeLogically(dx, dy);
}

void PlaceCmdWindow::nudgeLogically(int dx, int dy) {
  Scene &s = scene();
  const Point at = s.panePointOf(cursorX, cursorY);
  mouseMotion(s, values_, at.x + dx, at.y + dy);
}

} // namespace hs
