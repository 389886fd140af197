#include "AppTestSupport.h"
#include "app/dialogs/ImportDialog.h"
#include "dialogs/DialogDriver.h"
#include "elevation/Elevation.h"
#include "elevation/ElevationRasters.h"
#include "terrain/HeightField.h"

#include <QProgressDialog>
#include <QTimer>

namespace hs {
namespace {

using ImportWindowTest = WindowTest;

// The size dialog's answer: a longest side, then "OK".
void answerSide(ScriptedInteraction &script, const char *side) {
  script.onModal([side](vModalDialog &d) {
    test::type(d, ImportElevationDialog::kSize, side);
    test::click(d, kOkId);
  });
}

// Geo > Import Elevation... asks first, Cancel at any point changes nothing,
// and the import is one undoable step: map, scale and water.
TEST_F(ImportWindowTest, AnElevationModelBecomesTheMapAtTrueScaleInOneStep) {
  const test::Raster r = test::rasters()[2]; // voids, across sea level, 2 m cells
  clickMap(30, 40);
  script.answerQuestion(2); // "Save changes?": Cancel
  menu(kImportElevation);
  script.answerCancel(); // the model's chooser
  menu(kImportElevation);
  script.answerFile(test::makeRaster(folder, r));
  menu(kImportElevation); // the size dialog closed untouched: Cancel
  window->setProgressDelay(0);
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *progress = qobject_cast<QProgressDialog *>(w); progress && progress->isVisible())
        progress->cancel();
  });
  cancel.start(5);
  script.answerFile(test::makeRaster(folder, {.name = "big.tif", .w = 4096, .h = 4096}));
  answerSide(script, "0");
  script.answerFile(folder.file("big.png"));
  menu(kImportElevation);
  cancel.stop();
  EXPECT_FALSE(std::filesystem::exists(folder.file("big.png")));
  const Document &d = scene().document();
  EXPECT_EQ(std::tuple(script.questions.size(), script.fileRequests.size(), d.mapWidth(),
                       d.scaleX(), script.notices.size()),
            std::tuple(std::size_t{4}, std::size_t{5}, 400, 100.0f, std::size_t{0}));

  script.answerFile(test::makeRaster(folder, r));
  answerSide(script, "0");
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

  // A side that is not 0 or 2 to 16384 is tinted and kept; a good one
  // resamples, and the true scale follows the larger pixels.
  script.onModal([](vModalDialog &dialog) {
    for (const char *bad : {"-3", "x", "16385", "1", "2.5"}) {
      test::type(dialog, ImportElevationDialog::kSize, bad);
      test::click(dialog, kOkId);
      EXPECT_TRUE(dialog.isDisplayed()) << bad;
    }
    EXPECT_FALSE(dialog.control(ImportElevationDialog::kSize)->styleSheet().isEmpty());
  });
  script.answerFile(test::makeRaster(folder, r));
  menu(kImportElevation);
  answerSide(script, "6");
  script.answerFile(test::makeRaster(folder, r));
  script.answerFile(folder.file("hf6.png"));
  menu(kImportElevation);
  EXPECT_EQ(std::tuple(d.mapWidth(), d.mapHeight(), d.scaleX(), d.scaleZ()),
            std::tuple(6, 5, 20.0f, 16.0f));
}

} // namespace
} // namespace hs
