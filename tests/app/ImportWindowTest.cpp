#include "AppTestSupport.h"
#include "elevation/Elevation.h"
#include "elevation/ElevationRasters.h"
#include "terrain/HeightField.h"

#include <QProgressDialog>
#include <QTimer>

namespace hs {
namespace {

using ImportWindowTest = WindowTest;

// Geo > Import Elevation... asks first, Cancel at any point changes nothing,
// and the import is one undoable step: map, scale and water.
TEST_F(ImportWindowTest, AnElevationModelBecomesTheMapAtTrueScaleInOneStep) {
  const test::Raster r = test::rasters()[2]; // voids, across sea level, 2 m cells
  const std::string dem = test::makeRaster(folder, r);
  clickMap(30, 40);
  script.answerQuestion(2); // "Save changes?": Cancel
  menu(kImportElevation);
  script.answerCancel(); // the model's chooser
  menu(kImportElevation);
  window->setProgressDelay(0);
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible())
        progress->cancel();
  });
  cancel.start(5);
  script.answerFile(test::makeRaster(folder, {.name = "big.tif", .w = 4096, .h = 4096}));
  script.answerFile(folder.file("big.png"));
  menu(kImportElevation);
  cancel.stop();
  EXPECT_FALSE(std::filesystem::exists(folder.file("big.png")));
  const Document &d = scene().document();
  EXPECT_EQ(std::tuple(script.questions.size(), script.fileRequests.size(), d.mapWidth(),
                       d.scaleX(), script.notices.size()),
            std::tuple(std::size_t{3}, std::size_t{4}, 400, 100.0f, std::size_t{0}));

  script.answerFile(dem);
  script.answerFile(folder.file("hf.png"));
  menu(kImportElevation);
  const ElevationRange range{r.lo(), r.hi()};
  EXPECT_EQ(std::tuple(d.mapWidth(), d.mapHeight(), d.hfType(), d.hfFileName(), d.scaleX(),
                       d.scaleY(), d.scaleZ(), d.waterLevel(), messages().back()),
            std::tuple(12, 10, int(PngMap), folder.file("hf.png"), 22.0f,
                       float((r.hi() - r.lo()) * 65536 / 65535), 18.0f, seaLevelOf(range),
                       std::to_string(r.voids()) + " void cells filled"));
  EXPECT_LT(d.camera().x, 12); // re-fitted to the new map
  LRMemoryDC written;
  ASSERT_EQ(readHeightFieldFile(folder.file("hf.png"), PngMap, palette(), written), Loaded);
  EXPECT_EQ(written.readPixel(3, 4), d.baseImage().readPixel(3, 4));
  EXPECT_EQ(window->menuAction(kHistoryUndo)->text(), "Undo Import Elevation");
  menu(kHistoryUndo);
  EXPECT_EQ(std::tuple(d.mapWidth(), d.scaleX(), d.waterLevel()), std::tuple(400, 100.0f, 0.0f));
}

} // namespace
} // namespace hs
