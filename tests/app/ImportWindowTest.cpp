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

  script.answerFile(test::makeRaster(folder, r));
  script.answerFile(folder.file("hf.png"));
  menu(kImportElevation);
  const auto [lo, hi, voids] = r.summary();
  EXPECT_EQ(std::tuple(d.mapWidth(), d.mapHeight(), d.hfType(), d.hfFileName(), d.scaleX(),
                       d.scaleY(), d.scaleZ(), d.waterLevel(), messages().back()),
            std::tuple(12, 10, int(PngMap), folder.file("hf.png"), 22.0f,
                       float((hi - lo) * 65536 / 65535), 18.0f, seaLevelOf({lo, hi}),
                       std::to_string(voids) + " void cells filled"));
  EXPECT_LT(d.camera().x, 12); // re-fitted to the new map
  EXPECT_EQ(window->menuAction(kHistoryUndo)->text(), "Undo Import Elevation");
  menu(kHistoryUndo);
  EXPECT_EQ(std::tuple(d.mapWidth(), d.scaleX(), d.waterLevel()), std::tuple(400, 100.0f, 0.0f));
}

} // namespace
} // namespace hs
