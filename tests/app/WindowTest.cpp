// The main window through its real menus, bars and status bar.
#include "AppTestSupport.h"

#include "app/HelpWindow.h"
#include "app/dialogs/WaterFillDialogs.h"
#include "io/PovInclude.h"
#include "io/Render.h"

#include <QLabel>
#include <QMenuBar>
#include <QSpinBox>
#include <QTextBrowser>

#include <cmath>

namespace hs {
namespace {

TEST_F(WindowTest, BarsMenusAndStatusStartAsTheTablesSay) {
  EXPECT_EQ(window->windowTitle(), "Hill Strew");
  const QList<QAction *> menus = window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->text(), " &File ");
  EXPECT_EQ(menus[1]->text(), "  &Geo  ");
  EXPECT_EQ(menus[2]->text(), "  &Objects  ");
  EXPECT_EQ(menus[3]->text(), "  &Help ");
  EXPECT_EQ(window->menuAction(kSmooth)->text(), "Smooth OFF ");
  EXPECT_EQ(window->menuAction(kEngine)->text(), "Pov...AT");
  EXPECT_EQ(window->menuAction(kExitId)->text(), "E&xit");

  EXPECT_EQ(window->control(kLook)->toolTip(), "Camera Looks here");
  EXPECT_EQ(window->control(kOrder)->toolTip(), "Show Object Placment Order");
  EXPECT_EQ(toggle(kOne), 1);
  EXPECT_EQ(toggle(kLin) + toggle(kBox) + toggle(kCir) + toggle(kCameraAt) + toggle(kLook), 0);
  EXPECT_FALSE(window->control(kFill)->isEnabled());
  EXPECT_EQ(window->getString(kObjectType), "Obj 1");
  EXPECT_EQ(status(), "     Load a height feild    ");
  EXPECT_EQ(readout(), " X,Y,Z : 00000,00000,00000 ");
  // The view bar stands above the tool bar, both above the map.
  auto top = [&](QWidget *w) { return w->mapTo(window.get(), QPoint(0, 0)).y(); };
  EXPECT_LT(top(window->control(kCameraAt)), top(window->control(kOne)));
  EXPECT_LT(top(window->control(kOne)), top(pane()));
  EXPECT_EQ(window->smoothOn, 0);
}

// The job a new user does first: a line of 25 objects, then the include file.
TEST_F(WindowTest, LineFillOfTwentyFiveObjectsEndsInTheIncludeFile) {
  loadFlatMap(100);
  click(kLin);
  EXPECT_EQ(values.mode, LineFill);
  EXPECT_EQ(toggle(kLin), 1);
  EXPECT_EQ(toggle(kOne), 0);
  EXPECT_TRUE(window->control(kFill)->isEnabled());
  EXPECT_EQ(status(), "Place Objects LINE");

  click(kFill);
  FillDialog *fill = window->fillDialog();
  ASSERT_TRUE(fill->isDisplayed());
  EXPECT_EQ(fill->windowTitle(), "Fill Line");
  fill->setText(1005, "25");
  QTest::mouseClick(fill->control(1009), Qt::LeftButton);
  EXPECT_EQ(values.fillCount, 25);

  dragMap(40, 60, 280, 60);
  ASSERT_EQ(count(0), 25);

  const std::string inc = folder.file("job.inc");
  script.answerFile(inc);
  menu(kSaveInclude);
  EXPECT_TRUE(script.notices.empty());
  EXPECT_EQ(values.povFileName, inc);

  // Every value from first principles: a 400-pixel map centred on 199, the
  // default scale, ground 100 everywhere.
  auto line = [](const char *format, auto... v) {
    char buf[200];
    std::snprintf(buf, sizeof buf, format, v...);
    return std::string(buf);
  };
  const double ground = 100.0 / 255.0 * 10.0;
  std::string expected = line("#declare HS_At= <%f,%f,%f>;\n", 1.0 / 399.0 * 100.0, ground + 1.0,
                              -101.0 / 399.0 * 100.0);
  expected +=
      line("#declare HS_Look= <%f,%f,%f>;\n", 1.0 / 399.0 * 100.0, ground, 99.0 / 399.0 * 100.0);
  expected += "#declare HS_Hf=\"" + folder.file("map.tga") + "\";\n";
  expected += "#declare HS_Hf_typ= 0;\n#declare HS_Scale= <100.000000,10.000000,100.000000>;\n";
  expected += "#declare HS_Water= 0.000000;\n#declare HS_Smooth= 0;\n\n";
  expected += "#declare HS_Obj1=array[25]{\n";
  for (int k = 0; k < 25; ++k) {
    expected += line("<%f,%f,%f>", (40.0 + 10.0 * k - 199.0) / 399.0 * 100.0, ground,
                     (199.0 - 60.0) / 399.0 * 100.0);
    if (k < 24)
      expected += ",";
    if (k % 2 == 1)
      expected += "\n";
  }
  expected += "}\n";
  EXPECT_EQ(folder.read("job.inc"), expected);
}

TEST_F(WindowTest, SaveIncludeCancelledSaysSoAndWritesNothing) {
  script.answerCancel();
  menu(kSaveInclude);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].title, "Notice");
  EXPECT_EQ(script.notices[0].message, kNoFileMessage);
  ASSERT_EQ(script.fileRequests.size(), 1u);
  EXPECT_EQ(script.fileRequests[0].prompt, "Save Place file");
  EXPECT_EQ(script.fileRequests[0].kind, FileRequest::Save);
}

TEST_F(WindowTest, SmoothFlipsAndRelabelsItsEntry) {
  menu(kSmooth);
  EXPECT_EQ(window->smoothOn, 1);
  EXPECT_EQ(window->menuAction(kSmooth)->text(), "Smooth ON ");
  EXPECT_EQ(status(), "Smooth HF ON");
  menu(kSmooth);
  EXPECT_EQ(window->smoothOn, 0);
  EXPECT_EQ(window->menuAction(kSmooth)->text(), "Smooth Off ");
  EXPECT_EQ(status(), "Smooth HF OFF");
}

TEST_F(WindowTest, ObjectSpinnerChoosesTheTypeAndFillNeedsAFillTool) {
  auto *spin = qobject_cast<QSpinBox *>(window->control(kObjectType));
  ASSERT_NE(spin, nullptr);
  spin->stepDown(); // towards "Obj16"
  EXPECT_EQ(values.currentType, 1);
  spin->setValue(0);
  EXPECT_EQ(values.currentType, 15);

  // "Fill" is disabled with "One"; a command with the id still does nothing.
  window->windowCommand(kFill, 0, CmdKind::Button);
  EXPECT_FALSE(window->fillDialog()->isDisplayed());
  click(kBox);
  EXPECT_EQ(values.mode, BoxFill);
  click(kFill);
  EXPECT_EQ(window->fillDialog()->windowTitle(), "Fill BOX");
  click(kCir);
  EXPECT_EQ(window->fillDialog()->windowTitle(), "Fill Circle");
  EXPECT_EQ(toggle(kCir), 1);
  EXPECT_EQ(toggle(kBox), 0);
  click(kOne);
  EXPECT_FALSE(window->fillDialog()->isDisplayed());
  EXPECT_FALSE(window->control(kFill)->isEnabled());
  EXPECT_EQ(status(), "Place Single Object");
}

TEST_F(WindowTest, DeleteReleasesTheToolButtonsAndEnablesFill) {
  menu(kDelete);
  EXPECT_EQ(values.mode, DeleteObjects);
  EXPECT_EQ(values.previousMode, SingleObject);
  EXPECT_EQ(toggle(kOne) + toggle(kLin) + toggle(kBox) + toggle(kCir), 0);
  EXPECT_TRUE(window->control(kFill)->isEnabled());
  EXPECT_EQ(status(), " DELETE Object");
  menu(kMoveSelect);
  EXPECT_EQ(values.mode, SelectMove);
  EXPECT_EQ(status(), "Select & Move Objects");
}

TEST_F(WindowTest, PaletteToggleWithAPpmMapOnlyReleasesItself) {
  script.answerFile(
      folder.write("grey.ppm", ppmBytes(4, 4, [](int, int) { return "\x10\x20\x30"; })));
  menu(kHeightField);
  EXPECT_EQ(window->hfFileType, 1);
  click(kPaletteToggle);
  EXPECT_EQ(toggle(kPaletteToggle), 0);
  EXPECT_EQ(script.fileRequests.size(), 1u); // only the height field's chooser
}

TEST_F(WindowTest, PaletteToggleReportsAFileThatCannotBeRead) {
  loadFlatMap();
  script.answerFile(folder.file("missing.pal"));
  click(kPaletteToggle);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, "open error");
  EXPECT_EQ(toggle(kPaletteToggle), 0);
  EXPECT_EQ(window->paletteFileName, folder.file("missing.pal"));
}

TEST_F(WindowTest, HeightFieldOfAnUnknownTypeIsRefusedWithItsNotice) {
  script.answerFile(folder.write("map.TGA", targaBytes(4, 4, [](int, int) { return 1; })));
  menu(kHeightField);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, "WRONG  FILE TYPE!!\n\nTGA & PPM types only !!");
  EXPECT_EQ(scene().mapWidth, 400);
  EXPECT_EQ(script.fileRequests[0].prompt, "Load Hf file");
}

TEST_F(WindowTest, KeepKillAllAndUndo) {
  loadFlatMap();
  clickMap(50, 50);
  clickMap(80, 90);
  ASSERT_EQ(count(0), 2);
  click(kKeep);
  menu(kKillAll);
  EXPECT_EQ(count(0), 0);
  EXPECT_EQ(status(), "Place Single Object");
  click(kUndo);
  ASSERT_EQ(count(0), 2);
  EXPECT_EQ(object(0, 1).x, 80);
  EXPECT_EQ(object(0, 1).z, 90);
}

TEST_F(WindowTest, AboutNamesTheProgramAndItsVersion) {
  menu(kAbout);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].title, "About");
  const std::string &text = script.notices[0].message;
  EXPECT_EQ(
      text.rfind("This is the Last in a trilogy of programs for working on height feilds.\n", 0),
      0u);
  EXPECT_NE(text.find("    Place Objects on Height Fields for POV.\n\n"), std::string::npos);
  EXPECT_TRUE(text.ends_with("\n\n This is version 1.3"));
}

TEST_F(WindowTest, ContentsOpensTheCompiledInHelpAtItsContextSection) {
  menu(kContents);
  auto *help = dynamic_cast<HelpWindow *>(window->helpWindow());
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  const QString text = help->browser()->toPlainText();
  EXPECT_TRUE(text.contains("Getting started"));
  EXPECT_TRUE(text.contains("Del Unseen"));
  menu(kContents); // the same window again
  EXPECT_EQ(window->helpWindow(), help);
}

TEST_F(WindowTest, RenderWithoutAnEngineSaysWhatToDo) {
  values.enginePath = "short";
  click(kRender);
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].message, kNoEngineMessage);
}

TEST_F(WindowTest, EngineChooserKeepsTheOldPathWhenCancelled) {
  values.enginePath = "/usr/bin/povray-old";
  script.answerCancel();
  menu(kEngine);
  EXPECT_EQ(values.enginePath, "/usr/bin/povray-old");
  ASSERT_EQ(script.notices.size(), 1u);
  EXPECT_EQ(script.notices[0].title, "Render Engine");
  EXPECT_EQ(script.fileRequests[0].prompt, "Select POV's exe");
}

TEST_F(WindowTest, SaveAndOpenPlaceDataBringTheObjectsBack) {
  loadFlatMap();
  clickMap(30, 40);
  const std::string data = folder.file("scene.txt");
  script.answerFile(data);
  menu(kSaveData);
  EXPECT_EQ(window->dataFileName, data);
  menu(kKillAll);
  script.answerFile(data);
  menu(kOpenData);
  EXPECT_TRUE(script.notices.empty());
  ASSERT_EQ(count(0), 1);
  EXPECT_EQ(object(0, 0).x, 30);
  // Opening takes a Keep: Kill All then Undo gives the opened object back.
  menu(kKillAll);
  click(kUndo);
  EXPECT_EQ(count(0), 1);
}

} // namespace
} // namespace hs
