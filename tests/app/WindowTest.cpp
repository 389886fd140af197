#include "AppTestSupport.h"

#include "app/dialogs/WaterFillDialogs.h"
#include "io/PovInclude.h"
#include "io/Render.h"

#include <QBuffer>

namespace hs {
namespace {

void expectRows(std::span<const MenuRecord> menu) {
  for (const MenuRecord &e : menu)
    if (!e.submenu.empty()) {
      expectRows(e.submenu);
    } else if (e.id != kSeparatorId && e.id != kRecentNone) { // "(none)" is never enabled
      EXPECT_NE(PlaceCmdWindow::commandRow(e.id), nullptr) << e.label;
    }
}

TEST(CommandTable, EveryMenuEntryAndBarControlHasARow) {
  expectRows(placeMenus());
  for (const std::span<const CommandObject> bar : {placeToolBar(), placeViewBar()})
    for (const CommandObject &c : bar)
      EXPECT_EQ(PlaceCmdWindow::commandRow(c.id) != nullptr || modeOfButton(c.id) >= 0,
                c.kind != CmdKind::BlankLabel)
          << c.label;
}

TEST_F(WindowTest, CommandsReportThroughNotices) {
  script.answerCancel();
  menu(kSaveInclude);
  EXPECT_EQ(script.fileRequests[1].proposedName, folder.file("map.inc"));
  values.enginePath = "short";
  click(kRender);
  loadTarga(targaBytes(4, 4), "map.TGA");
  loadTarga("not a map", "bad.tga");
  // The refused maps changed nothing, their names included.
  EXPECT_EQ(std::pair(scene().document().mapWidth(), scene().document().hfFileName()),
            std::pair(400, folder.file("map.tga")));
  script.answerFile(folder.file("missing.pal"));
  click(kPaletteToggle);
  EXPECT_EQ(toggle(kPaletteToggle), 0);
  EXPECT_EQ(script.fileRequests[0].filters,
            (std::vector<std::string>{"Height fields (*.tga *.ppm *.png *.pgm)", "*.tga", "*.ppm",
                                      "*.png", "*.pgm", "*"}));
  EXPECT_EQ(messages(), (std::vector<std::string>{kNoFileMessage, kNoEngineMessage,
                                                  "WRONG  FILE TYPE!!\n\nTGA & PPM types only !!",
                                                  "File Inconpatable!!", "open error"}));

  // The bars and the fill dialog set the tools; the include file's format is pinned in io/.
  click(kLin);
  click(kFill);
  FillDialog *fill = window->fillDialog();
  EXPECT_EQ(std::tuple(toggle(kLin), toggle(kOne), fill->windowTitle()),
            std::tuple(1, 0, QString("Fill Line")));
  fill->setText(FillDialog::kCount, "25");
  QTest::mouseClick(fill->control(FillDialog::kSet), Qt::LeftButton);
  dragMap(40, 60, 280, 60);
  EXPECT_EQ(last(), std::tuple(25, 280.0, 60.0));
  menu(kDelete);
  EXPECT_EQ(
      std::pair(toggle(kOne) + toggle(kLin) + toggle(kBox) + toggle(kCir), values.modes.mode()),
      std::pair(0, int(DeleteObjects)));

  script.answerFile(folder.file("job.inc"));
  menu(kSaveInclude);
  QBuffer expected;
  expected.open(QIODevice::WriteOnly);
  ASSERT_EQ(writePovInclude(scene().document(), expected), 0);
  EXPECT_EQ(folder.read("job.inc"), expected.data().toStdString());
}

TEST_F(WindowTest, KeepKillAllUndoOrderAndThePlaceFile) {
  clickMap(50, 50);
  clickMap(80, 90);
  click(kKeep);
  menu(kKillAll);
  EXPECT_EQ(last(), std::tuple(0, 0.0, 0.0));
  click(kUndo);
  EXPECT_EQ(last(), std::tuple(2, 80.0, 90.0));
  for (int on : {1, 0}) {
    click(kOrder);
    menu(kSmooth);
    EXPECT_EQ(std::tuple(values.showOrder, scene().document().smoothOn(),
                         window->getString(kSmooth), status()),
              std::tuple(on, on, on ? "Smooth ON " : "Smooth Off ",
                         on ? "Smooth HF ON" : "Smooth HF OFF"));
  }

  const std::string saved = folder.file("scene.txt");
  script.answerFile(saved);
  menu(kSaveData);
  EXPECT_EQ(script.fileRequests.back().proposedName, folder.file("map.txt"));
  menu(kKillAll);
  script.answerFile(saved);
  menu(kOpenData);
  EXPECT_EQ(last(), std::tuple(2, 80.0, 90.0));
  // A file opened by mistake must not become what Save.Data proposes next.
  script.answerFile(folder.write("Preview.pov", "#include \"colors.inc\"\n"));
  menu(kOpenData);
  EXPECT_EQ(messages(), std::vector<std::string>{"Load DAT Data3 ERROR"});
  script.answerCancel();
  menu(kSaveData);
  EXPECT_EQ(script.fileRequests.back().proposedName, saved);
}

TEST_F(WindowTest, ShadedReliefFollowsTheKindOfMap) {
  EXPECT_EQ(toggle(kRelief), 0);
  std::string ppm = "P6\n64 64\n255\n";
  for (int i = 0; i < 64 * 64; ++i)
    ppm += std::string{char(155), char(i), 0};
  loadTarga(ppm, "hills.ppm");
  EXPECT_EQ(toggle(kRelief), 1);
  menu(kRelief);
  EXPECT_EQ(toggle(kRelief), 0);
  EXPECT_EQ(window->mapPane()->pixelAt(1, 1), palette()[155]);
  loadTarga(targaBytes(40, 40, 100));
  EXPECT_EQ(toggle(kRelief), 0);
  menu(kRelief);
  loadTarga(ppm, "hills.ppm");
  EXPECT_EQ(toggle(kRelief), 0);
}

} // namespace
} // namespace hs
