#include "io/Render.h"
#include "io/PovInclude.h"
#include "support/FakeServices.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace hs {
namespace {

QStringList waitForEngineRecord(const QString &dir) {
  QFile f(QDir(dir).filePath(QStringLiteral("engine-called.txt")));
  QElapsedTimer timer;
  timer.start();
  while (!f.exists() && timer.elapsed() < 20000)
    QThread::msleep(20);
  if (!f.open(QIODevice::ReadOnly))
    return {};
  return QString::fromLocal8Bit(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class RenderLaunch : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(startDir.isValid());
    values.startDir = QDir(startDir.path()).canonicalPath().toStdString();
    window.hfFileName = "hills.tga";
    scene.objects[3].append(10, 20, 30, AboveGround, 1.0);
    // Somewhere else, as after a file dialog.
    QDir::setCurrent(QDir::tempPath());
  }
  void TearDown() override { QDir::setCurrent(QDir::tempPath()); }

  std::string startFile(const char *name) const {
    return QDir(startDir.path()).filePath(QString::fromLatin1(name)).toStdString();
  }

  QTemporaryDir startDir;
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

  const QStringList record = waitForEngineRecord(startDir.path());
  ASSERT_EQ(record.size(), 2) << record.join('|').toStdString();
  EXPECT_EQ(QDir(record[0]).canonicalPath().toStdString(), values.startDir);
  EXPECT_EQ(record[1], QStringLiteral("Preview.ini"));

  QBuffer expected;
  expected.open(QIODevice::WriteOnly);
  writePovInclude(scene, values, window, expected);
  QFile inc(QString::fromStdString(startFile("TestPlace.inc")));
  ASSERT_TRUE(inc.open(QIODevice::ReadOnly));
  EXPECT_EQ(inc.readAll(), expected.data());
}

TEST_F(RenderLaunch, AShortEnginePathIsRefusedBeforeAnythingIsWritten) {
  values.enginePath = "/bin/povr"; // 9 characters
  EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNoEngine);
  ASSERT_EQ(services.notices.size(), 1u);
  EXPECT_EQ(services.notices[0].second, kNoEngineMessage);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(startFile("TestPlace.inc"))));
}

// Ten characters pass the length test; an engine that then cannot be started
// says so and why, after the include file has been written.
TEST_F(RenderLaunch, AnEngineThatCannotStartIsReportedWithTheReason) {
  QFile plain(QString::fromStdString(startFile("plain-file")));
  ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
  plain.close();
  const std::pair<std::string, const char *> cases[] = {
      {"/bin/povr0", "No such file or directory"},
      {startFile("plain-file"), "Permission denied"}, // no execute bit, even for root
      {values.startDir, "Is a directory"},
  };
  for (const auto &[engine, reason] : cases) {
    services.notices.clear();
    values.enginePath = engine;
    EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNotStarted) << engine;
    ASSERT_EQ(services.notices.size(), 1u) << engine;
    EXPECT_EQ(services.notices[0].second,
              std::string(kEngineNotStartedMessage) + engine + "\n" + reason);
  }
  EXPECT_TRUE(QFile::exists(QString::fromStdString(startFile("TestPlace.inc"))));
}

TEST_F(RenderLaunch, AnUnwritableStartDirectoryStopsSilently) {
  values.startDir = startFile("gone");
  values.enginePath = HS_FAKE_ENGINE;
  EXPECT_EQ(renderPreview(scene, values, window, &services), RenderNoInclude);
  EXPECT_TRUE(services.notices.empty());
}

TEST(ChooseEngine, ShowsTheChoiceOrKeepsThePathWhenCancelled) {
  ProgramValues values;
  FakeServices services;
  values.enginePath = "/usr/bin/povray";
  chooseEngine(values, services, [](const char *, std::string &name, const QStringList &) {
    EXPECT_EQ(name, "/usr/bin/povray");
    name = "/opt/povray/bin/povray";
    return true;
  });
  ASSERT_EQ(services.notices.size(), 1u);
  EXPECT_EQ(services.notices[0],
            (std::pair<std::string, std::string>{"Render Engine", "/opt/povray/bin/povray"}));

  chooseEngine(values, services, [](const char *, std::string &name, const QStringList &) {
    name = "/elsewhere";
    return false;
  });
  EXPECT_EQ(values.enginePath, "/opt/povray/bin/povray");
  EXPECT_EQ(services.notices.back().second, kNoEngineChosenMessage);
}

} // namespace
} // namespace hs
