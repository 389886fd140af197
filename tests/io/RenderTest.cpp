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

class RenderLaunch : public ::testing::Test {
protected:
  void SetUp() override {
    values.startDir = QDir(QString::fromStdString(dir.path())).canonicalPath().toStdString();
    window.hfFileName = "hills.tga";
    scene.objects[3].append(10, 20, 30, AboveGround, 1.0);
    QDir::setCurrent(QDir::tempPath()); // somewhere else, as after a file dialog
  }

  TestFolder dir;
  Scene scene;
  ProgramValues values;
  WindowValues window;
  FakeServices services;
};

TEST(EngineArguments, OnlyTheWindowsEngineGetsRender) {
  EXPECT_EQ(engineArguments("/opt/pvengine/bin/povray"), QStringList{"Preview.ini"});
  EXPECT_EQ(engineArguments("/mnt/c/POV/bin/PVENGINE64.exe"),
            (QStringList{"/RENDER", "Preview.ini"}));
}

TEST_F(RenderLaunch, StartsTheEngineInTheStartDirectoryWithTheIncludeWritten) {
  values.enginePath = HS_FAKE_ENGINE;
  ASSERT_EQ(renderPreview(scene, values, window, &services), RenderStarted);
  EXPECT_TRUE(services.notices.empty());
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

TEST_F(RenderLaunch, AShortEnginePathIsRefusedBeforeAnythingIsWritten) {
  values.enginePath = "/bin/povr"; // 9 characters
  EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNoEngine);
  EXPECT_EQ(services.notices, (Notices{{"Notice", kNoEngineMessage}}));
  EXPECT_FALSE(std::filesystem::exists(dir.file("TestPlace.inc")));
}

// Ten characters pass the length test; an engine that then cannot be started
// says so and why, after the include file has been written.
TEST_F(RenderLaunch, AnEngineThatCannotStartIsReportedWithTheReason) {
  const std::pair<std::string, const char *> cases[] = {
      {"/bin/povr0", "No such file or directory"},
      {dir.write("plain-file", ""), "Permission denied"}, // no execute bit, even for root
      {values.startDir, "Is a directory"},
  };
  for (const auto &[engine, reason] : cases) {
    FakeServices fresh;
    values.enginePath = engine;
    EXPECT_EQ(renderPreview(scene, values, window, &fresh), RenderNotStarted) << engine;
    EXPECT_EQ(fresh.notices,
              (Notices{{"Notice", kEngineNotStartedMessage + engine + "\n" + reason}}));
  }
  EXPECT_TRUE(std::filesystem::exists(dir.file("TestPlace.inc")));
}

TEST_F(RenderLaunch, AnUnwritableStartDirectoryStopsSilently) {
  values.startDir = dir.file("gone");
  values.enginePath = HS_FAKE_ENGINE;
  EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNoInclude);
  EXPECT_TRUE(services.notices.empty());
}

TEST_F(RenderLaunch, ChooseEngineShowsTheChoiceOrKeepsThePathWhenCancelled) {
  values.enginePath = "/usr/bin/povray";
  chooseEngine(values, services, [](const char *, std::string &name, const QStringList &) {
    EXPECT_EQ(name, "/usr/bin/povray");
    name = "/opt/povray/bin/povray";
    return true;
  });
  chooseEngine(values, services, [](const char *, std::string &name, const QStringList &) {
    name = "/elsewhere";
    return false;
  });
  EXPECT_EQ(values.enginePath, "/opt/povray/bin/povray");
  EXPECT_EQ(services.notices, (Notices{{"Render Engine", "/opt/povray/bin/povray"},
                                       {"Render Engine", kNoEngineChosenMessage}}));
}

} // namespace
} // namespace hs
