#include "app/View3dWindow.h"
#include "AppTestSupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMouseEvent>
#include <QWheelEvent>

namespace hs {
namespace {

using view3d::Part;
using Parts = std::array<int, view3d::kParts>;

class View3dWindowTest : public WindowTest {
public:
  // The parts built since the last call, once the canvas has drawn.
  Parts rebuilt(View3dCanvas &canvas) {
    canvas.frame();
    Parts now{};
    for (std::size_t i = 0; i < now.size(); ++i)
      now[i] = canvas.builds(static_cast<Part>(i)) -
               std::exchange(seen_[i], canvas.builds(static_cast<Part>(i)));
    return now;
  }
  Parts seen_{};
};

TEST_F(View3dWindowTest, FollowsEachChangeRebuildingOnlyWhatItTouches) {
  // It opens near the main window, wholly on its screen.
  const QRect room = window->screen()->availableGeometry();
  window->move(room.right() - 100, room.top() + 20);
  menu(kView3d);
  View3dWindow *view = window->view3dWindow();
  ASSERT_NE(view, nullptr);
  const QRect frame = view->frameGeometry();
  EXPECT_EQ(std::tuple(view->windowTitle(), view->isVisible(), room.contains(frame), frame.top()),
            std::tuple(QString("3D View"), true, true, window->frameGeometry().top() + 40));
  if (view->canvas() == nullptr)
    GTEST_SKIP() << view->message()->text().toStdString();
  View3dCanvas &canvas = *view->canvas();
  EXPECT_EQ(rebuilt(canvas), (Parts{1, 1, 1, 1}));
  const QImage before = canvas.frame();

  // Parts: terrain, water, objects, markers; shown: the picture differs from the first.
  const struct {
    std::function<void(View3dWindowTest &)> change;
    Parts parts;
    bool shown;
  } kSteps[] = {
      {[](auto &t) { t.clickMap(200, 200); }, {0, 0, 1, 0}, true},
      {[](auto &t) { t.menu(kHistoryUndo); }, {0, 0, 1, 0}, false},
      {[](auto &t) { t.document.setWaterLevel(150); }, {0, 1, 0, 0}, true},
      {[](auto &t) { t.menu(kHistoryUndo); }, {0, 1, 0, 0}, false},
      // Smoothing is only the shading (the same on this flat map); a new
      // scale places the map's samples anew.
      {[](auto &t) { t.menu(kSmooth); }, {0, 0, 0, 0}, false},
      {[](auto &t) { t.menu(kHistoryUndo); }, {0, 0, 0, 0}, false},
      {[](auto &t) { t.document.setScale(100, 40, 100); }, {0, 1, 1, 1}, true},
  };
  for (const auto &step : kSteps) {
    step.change(*this);
    EXPECT_EQ(rebuilt(canvas), step.parts);
    EXPECT_EQ(canvas.frame() != before, step.shown);
  }
  EXPECT_EQ(std::get<0>(last()), 0);

  // Orbiting leaves the scene camera, and choosing it again gives it back exactly.
  view->lookChoice()->setCurrentIndex(1);
  QTest::keyClick(&canvas, Qt::Key_Left);
  EXPECT_NE(canvas.pose().eye, view3d::sceneCamera(document).eye);
  // The left button orbits about the centre, the right and middle pan, the
  // wheel (no button here) comes nearer.
  const auto send = [&canvas](QEvent &&event) { QApplication::sendEvent(&canvas, &event); };
  const struct {
    Qt::MouseButton button;
    QPointF to;
    bool turns, pans;
    float distance; // times the one before
  } kGestures[] = {{Qt::LeftButton, {34, -1}, true, false, 1.0f},
                   {Qt::RightButton, {39, 29}, false, true, 1.0f},
                   {Qt::MiddleButton, {4, 49}, false, true, 1.0f},
                   {Qt::NoButton, {}, false, false, 0.9f}};
  for (const auto &g : kGestures) {
    const view3d::CameraPose was = canvas.pose();
    const Qt::MouseButton b = g.button;
    if (b == Qt::NoButton)
      send(QWheelEvent({9, 9}, {9, 9}, {}, {0, 120}, {}, {}, {}, false));
    send(QMouseEvent(QEvent::MouseButtonPress, {9, 9}, {9, 9}, b, b, {}));
    send(QMouseEvent(QEvent::MouseMove, g.to, g.to, Qt::NoButton, b, {}));
    const QVector3D seen = canvas.pose().eye - canvas.pose().target, before = was.eye - was.target;
    EXPECT_EQ(!qFuzzyCompare(seen.normalized(), before.normalized()), g.turns);
    EXPECT_EQ(canvas.pose().target != was.target, g.pans);
    EXPECT_NEAR(seen.length() / before.length(), g.distance, 1e-4);
  }

  view->lookChoice()->setCurrentIndex(0);
  EXPECT_EQ(canvas.pose().eye, view3d::sceneCamera(document).eye);
  EXPECT_EQ(canvas.pose().target, view3d::sceneCamera(document).target);

  // In the map's colours the ground follows the relief as the map shows it.
  const QImage byHeight = canvas.frame();
  view->mapColoursChoice()->setChecked(true);
  EXPECT_EQ(rebuilt(canvas), (Parts{1, 0, 0, 0}));
  EXPECT_NE(canvas.frame(), byHeight);
  menu(kRelief);
  EXPECT_EQ(rebuilt(canvas), (Parts{1, 0, 0, 0}));
}

TEST_F(View3dWindowTest, WithoutOpenGlSaysSoAndTheMapStillWorks) {
  View3dWindow view(document, nullptr, "no display");
  EXPECT_EQ(view.canvas(), nullptr);
  EXPECT_TRUE(view.message()->text().contains("needs OpenGL"));
  EXPECT_TRUE(view.message()->text().contains("no display"));
  clickMap(200, 200);
  EXPECT_EQ(std::get<0>(last()), 1);
}

} // namespace
} // namespace hs
