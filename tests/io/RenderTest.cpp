#include "io/Render.h"
#include "io/PovInclude.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>

namespace hs {
namespace {

using Notices = std::vector<std::pair<std::string, std::string>>; // title, message

// A short engine path is refused before anything is written; a good one is
// started in the start directory, away from wherever a file dialog left us,
// with the include file written.
TEST(RenderLaunch, RefusesAShortEnginePathAndStartsTheEngineInTheStartDirectory) {
  TestFolder dir;
  Scene scene;
  ProgramValues values;
  WindowValues window;
  FakeServices services;
  values.startDir = QDir(QString::fromStdString(dir.path())).canonicalPath().toStdString();
  scene.objects[3].append(10, 20, 30, AboveGround, 1.0);
  QDir::setCurrent(QDir::tempPath());
  values.enginePath = "/bin/povr"; // 9 characters
  EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNoEngine);
  EXPECT_FALSE(std::filesystem::exists(dir.file("TestPlace.inc")));

  values.enginePath = HS_FAKE_ENGINE;
  ASSERT_EQ(renderPreview(scene, values, window, &services), RenderStarted);
  EXPECT_EQ(services.notices, (Notices{{"Notice", kNoEngineMessage}})); // the first one's only
  EXPECT_EQ(QDir::currentPath().toStdString(), values.startDir);
  // The engine records its working directory and arguments, once it has run.
  QElapsedTimer timer;
  timer.start();
  while (!std::filesystem::exists(dir.file("engine-called.txt")) && timer.elapsed() < 20000)
    QThread::msleep(20);
  EXPECT_EQ(dir.read("engine-called.txt"), values.startDir + "\nPreview.ini\n");

  QBuffer expected;
  expected.open(QIODevice::WriteOnly);
  writePovInclude(scene, values, window, expected);
  EXPECT_EQ(dir.read("TestPlace.inc"), expected.data().toStdString());
}

} // namespace
} // namespace hs
