#include "AppTestSupport.h"

#include "app/PreviewWindow.h"
#include "app/RenderWatch.h"
#include "io/Render.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include <filesystem>

namespace hs {
namespace {

// Long enough for a busy machine; a render that hangs fails the test.
constexpr int kRenderWait = 90000;

class RenderWindowTest : public WindowTest {
protected:
  void SetUp() override {
    WindowTest::SetUp();
    values.startDir = folder.path();
    values.enginePath = HS_FAKE_ENGINE;
  }

  RenderWatch &watch() { return *window->renderWatch(); }
  std::string progress() { return watch().progressLabel()->text().toStdString(); }
  void ini(const std::string &lines) {
    folder.write("Preview.ini", "Output_File_Name=Fake.ppm\n" + lines);
  }
  void render() {
    click(kRender);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !watch().running(); }, kRenderWait));
  }
};

TEST_F(RenderWindowTest, ProgressShowsWhileRenderIsDisabledAndCancelStopsTheEngine) {
  ini("Fake_Progress=10 55\nFake_Sleep_Ms=600000\n");
  click(kRender);
  ASSERT_TRUE(QTest::qWaitFor([this] { return progress() == "Rendering... 55%"; }, kRenderWait));
  EXPECT_EQ(std::tuple(watch().running(), window->control(kRender)->isEnabled(),
                       window->menuAction(kRender)->isEnabled(),
                       watch().cancelButton()->isVisible()),
            std::tuple(true, false, false, true));
  // In the start folder on the preview INI, after the include file (naming the map from there).
  EXPECT_EQ(folder.read("engine-called.txt"), folder.path() + "\nPreview.ini\n+V\n-D\n");
  EXPECT_NE(folder.read("TestPlace.inc").find("HS_Hf=\"map.tga\""), std::string::npos);

  QTest::mouseClick(watch().cancelButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !watch().running(); }, kRenderWait));
  EXPECT_EQ(std::tuple(progress(), window->control(kRender)->isEnabled(),
                       watch().cancelButton()->isVisible(), watch().preview() == nullptr),
            std::tuple("Render cancelled", true, false, true));

  // A finished render shows its picture near the main window, wholly on its screen; a second
  // refreshes it where the user left it.
  const QRect room = window->screen()->availableGeometry();
  window->move(room.right() - 100, room.top() + 20);
  ini("Width=40\nHeight=30\nFake_Progress=50 100\n");
  render();
  PreviewWindow *preview = watch().preview();
  ASSERT_NE(preview, nullptr);
  const QRect frame = preview->frameGeometry();
  EXPECT_EQ(std::tuple(room.contains(frame), frame.right(), frame.top()),
            std::tuple(true, room.right(), window->frameGeometry().top() + 40));
  EXPECT_EQ(std::tuple(preview->isVisible(), preview->windowTitle().toStdString(),
                       preview->picture().size(), watch().progressLabel()->isVisible()),
            std::tuple(true, "Render Preview - Fake.ppm", QSize(40, 30), false));
  preview->move(preview->pos() + QPoint(30, 20));
  const QPoint place = preview->pos();
  ini("Width=20\nHeight=10\n");
  render();
  EXPECT_EQ(std::tuple(watch().preview(), preview->pos(), preview->picture().size(),
                       window->control(kRender)->isEnabled(), script.notices.size()),
            std::tuple(preview, place, QSize(20, 10), true, std::size_t{0}));
}

// Each failure shows the engine's last lines (pinned in io/) and why it failed.
TEST_F(RenderWindowTest, AFailedRenderShowsTheEnginesLastLines) {
  const std::string parseError =
      "File 'Preview.pov' line 12: Parse Error: Expected 'object', undeclared identifier found";
  const std::string failed = kRenderFailedMessage, missing = folder.file("no-such-povray");
  const std::string cases[][3] = {
      // the engine, its INI lines, the notice
      {HS_FAKE_ENGINE,
       "Fake_Progress=5\nFake_Error=" + parseError +
           "\nFake_Error=Render failed\nFake_Write=0\nFake_Exit=1\n",
       failed + parseError + "\nRender failed\nThe engine ended with code 1."},
      // An earlier render's picture is still there.
      {HS_FAKE_ENGINE, "Fake_Write=0\n",
       failed + "No picture was written to " + folder.file("Fake.ppm") + "."},
      {HS_FAKE_ENGINE, "Fake_Crash=1\n", failed + "The engine stopped unexpectedly."},
      {missing, "", kEngineNotStartedMessage + missing + "\nNo such file or directory"},
  };
  folder.write("Fake.ppm", "P6\n1 1\n255\nabc");
  for (const auto &[engine, lines, notice] : cases) {
    script.notices.clear();
    values.enginePath = engine;
    ini(lines);
    render();
    EXPECT_EQ(messages(), std::vector<std::string>{notice}) << lines;
    EXPECT_EQ(std::tuple(watch().preview(), window->control(kRender)->isEnabled(),
                         watch().progressLabel()->isVisible()),
              std::tuple(nullptr, true, false));
  }
}

} // namespace
} // namespace hs
