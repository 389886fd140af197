// Undo and Redo give back exactly the file the scene would have been saved as.
#include "AppTestSupport.h"
#include "app/dialogs/HeightDialogs.h"
#include "app/dialogs/ScaleUnitsDialogs.h"
#include "app/dialogs/ScatterDialog.h"
#include "app/dialogs/WaterFillDialogs.h"
#include "dialogs/DialogDriver.h"
#include "io/PlaceData.h"

#include <QBuffer>

#include <functional>

namespace hs {
namespace {

class HistoryWindowTest : public WindowTest {
public:
  std::string saved() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_EQ(savePlaceData(scene().document(), buffer), 0);
    return buffer.data().toStdString();
  }
  std::string entry(int id) { return window->getString(id); }
  bool enabled(int id) { return window->menuAction(id)->isEnabled(); }
  // Objects of two types, kept, for every operation to work on.
  void someObjects() {
    clickMap(100, 100);
    clickMap(300, 120);
    click(kLin);
    dragMap(60, 250, 340, 260);
    window->windowCommand(kObjectType, 13, CmdKind::Spinner); // "Obj 3"
    click(kOne);
    clickMap(200, 320);
    click(kKeep);
  }
};

using Run = std::function<void(HistoryWindowTest &)>;

struct Operation {
  const char *name; // what the Edit menu names it
  Run run;
  Run prepare = [](HistoryWindowTest &) {};
};

// A command, then a drag (from a point to itself is a click).
Run thenDrag(int id, int x0, int y0, int x1, int y1) {
  return [=](HistoryWindowTest &t) {
    t.window->menuAction(id) != nullptr ? t.menu(id) : t.click(id);
    t.dragMap(x0, y0, x1, y1);
  };
}

// The same, one entry of its dialog answered.
Run answered(int entry, const char *text, const Run &run) {
  return [=](HistoryWindowTest &t) {
    t.script.onModal([=](vModalDialog &d) {
      test::type(d, entry, text);
      test::click(d, kOkId);
    });
    run(t);
  };
}

class EachOperation : public HistoryWindowTest, public ::testing::WithParamInterface<Operation> {};

TEST_P(EachOperation, UndoAndRedoGiveTheSceneExactlyAsItWas) {
  someObjects();
  GetParam().prepare(*this);
  const std::string before = saved();
  GetParam().run(*this);
  const std::string after = saved();
  ASSERT_NE(after, before) << "the operation changed nothing";
  EXPECT_EQ(entry(kHistoryUndo), std::string("Undo ") + GetParam().name);
  menu(kHistoryUndo);
  EXPECT_EQ(saved(), before);
  EXPECT_EQ(entry(kHistoryRedo), std::string("Redo ") + GetParam().name);
  menu(kHistoryRedo);
  EXPECT_EQ(saved(), after);
  menu(kHistoryUndo);
  EXPECT_EQ(saved(), before);
}

using T = HistoryWindowTest;
const Operation kOperations[] = {
    {"Place Object", [](T &t) { t.clickMap(50, 50); }},
    {"Line Fill", thenDrag(kLin, 20, 20, 380, 40)},
    {"Box Fill", thenDrag(kBox, 20, 20, 200, 200)},
    {"Circle Fill", thenDrag(kCir, 200, 200, 260, 240)},
    {"Delete Object", [](T &t) { t.clickMap(101, 99, Qt::RightButton); }},
    {"Delete Objects", thenDrag(kDelete, 50, 200, 250, 340)},
    {"Move", thenDrag(kMoveSingle, 300, 120, 30, 370)},
    {"Move All", thenDrag(kMoveAllCmd, 250, 180, 250, 180)},
    {"Edit", answered(CLatObjectDialog::kSize, "2.5", thenDrag(kEdit, 200, 320, 200, 320))},
    {"Kill All", [](T &t) { t.menu(kKillAll); }},
    {"Del Unseen", [](T &t) { t.menu(kDelUnseen); },
     [](T &t) { // looking up: the objects below are out of view
       t.scene().document().setCamera({200, 100, 200, AboveWater, 1.0});
       t.scene().document().setLookAt({200, 100, 0, AboveGround, 0.0});
     }},
    {"Back to Kept", [](T &t) { t.click(kUndo); }, thenDrag(kBox, 20, 20, 200, 200)},
    {"Place Camera", answered(CatDialog::kHeight, "7.25", thenDrag(kCameraAt, 30, 40, 30, 40))},
    {"Point Camera", thenDrag(kLook, 330, 40, 330, 40)},
    {"Water Level", thenDrag(kWaterLevel, 30, 40, 30, 40)},
    {"Scale", answered(GscalModalDialog::kScaleY, "42", [](T &t) { t.menu(kScale); })},
    {"Smooth", [](T &t) { t.menu(kSmooth); }},
    {"Scatter",
     [](T &t) {
       t.click(kScatter);
       test::click(*t.window->scatterDialog(), ScatterDialog::kWholeMap);
     }},
    {"Open Data",
     [](T &t) {
       t.script.answerFile(HS_TEST_DATA "/place_targa.txt");
       t.menu(kOpenData);
     }},
    {"Load Height Field", [](T &t) { t.loadTarga(targaBytes(250, 180, 60), "small.tga"); }},
};

// Named by the operation, so ctest shows which one failed.
void PrintTo(const Operation &op, std::ostream *out) { *out << op.name; }
INSTANTIATE_TEST_SUITE_P(Operations, EachOperation, ::testing::ValuesIn(kOperations),
                         [](const auto &info) {
                           std::string name = info.param.name;
                           std::erase(name, ' ');
                           return name;
                         });

// Going back to what "Keep" took is a step itself; Ctrl+Y and Ctrl+Shift+Z redo.
TEST_F(HistoryWindowTest, TheMenuSaysWhatItUndoesAndKeepUndoIsAStepOfItsOwn) {
  loadTarga(targaBytes(250, 180, 60), "small.tga");
  menu(kHistoryUndo);
  EXPECT_EQ(std::tuple(scene().viewImage.width(), entry(kHistoryUndo), enabled(kHistoryRedo)),
            std::tuple(400, "Undo Load Height Field", true));
  menu(kHistoryUndo);
  EXPECT_EQ(std::tuple(entry(kHistoryUndo), enabled(kHistoryUndo)), std::tuple("Undo", false));
  menu(kHistoryRedo);
  clickMap(50, 50);
  click(kBox);
  clickMap(80, 80);
  EXPECT_EQ(std::tuple(entry(kHistoryUndo), enabled(kHistoryRedo)),
            std::tuple("Undo Place Object", false));

  click(kOne);
  someObjects();
  const std::string kept = saved();
  click(kBox);
  dragMap(20, 20, 200, 200);
  const std::string work = saved();
  click(kUndo);
  EXPECT_EQ(saved(), kept);
  QApplication::setActiveWindow(window.get());
  surface()->setFocus();
  key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(saved(), work);
  key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(saved(), kept);
  key(Qt::Key_Z, Qt::ControlModifier);
  key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(saved(), kept);
}

} // namespace
} // namespace hs
