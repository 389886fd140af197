// Renders the sample preview scene with the real POV-Ray on an include file
// written by writePovInclude, for each sample height field. This is what
// proves our include file is valid for the renderer.
#include "io/PovInclude.h"
#include "terrain/Height.h"
#include "terrain/Palette.h"
#include "view/MapLoad.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>

namespace hs {
namespace {

// A placement such as a user makes: the camera and look-at point where the
// first load puts them, and three objects of every type across the map.
void placeSample(Scene &scene, int mapType) {
  scene.hfType = mapType;
  rescaleToMap(scene);
  for (int t = 0; t < kObjectTypes; ++t)
    for (int k = 0; k < 3; ++k) {
      const double x = scene.mapWidth * (0.1 + 0.05 * t);
      const double z = scene.mapHeight * (0.2 + 0.15 * k);
      scene.objects[t].append(x, heightAtItem(scene, x, z), z, k, 0.0);
    }
}

void renderSample(const char *terrain, int mapType) {
  const QString povray = QStandardPaths::findExecutable(QStringLiteral("povray"));
  ASSERT_FALSE(povray.isEmpty()) << "povray is not installed (scripts/deps.sh installs it)";
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  // HS_KEEP_RENDER=1 keeps the folder, to look at the picture.
  if (qEnvironmentVariableIsSet("HS_KEEP_RENDER")) {
    dir.setAutoRemove(false);
    std::printf("render folder: %s\n", qPrintable(dir.path()));
  }
  const QDir samples(QStringLiteral(HS_SAMPLES));
  for (const QString &name :
       {QStringLiteral("Preview.ini"), QStringLiteral("Preview.pov"), QString::fromLatin1(terrain)})
    ASSERT_TRUE(QFile::copy(samples.filePath(name), dir.filePath(name)));

  Scene scene;
  ProgramValues values;
  WindowValues window;
  const std::string map = dir.filePath(QString::fromLatin1(terrain)).toStdString();
  ASSERT_EQ(mapType ? loadPpm(scene, map) : loadTarga(scene, map, defaultPalette()), Loaded);
  placeSample(scene, mapType);
  values.waterLevel = mapType ? 6000.0f : 20.0f;
  window.smoothOn = mapType;
  window.hfFileName = terrain; // relative: POV-Ray reads inside its own folder
  ASSERT_EQ(writePovInclude(scene, values, window,
                            dir.filePath(QStringLiteral("TestPlace.inc")).toStdString()),
            0);

  const QString size = qEnvironmentVariable("HS_RENDER_SIZE", QStringLiteral("160x120"));
  QProcess pov;
  pov.setWorkingDirectory(dir.path());
  // A home of its own, so a missing or read-only user configuration never matters.
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("HOME"), dir.path());
  env.remove(QStringLiteral("DISPLAY"));
  pov.setProcessEnvironment(env);
  pov.setProcessChannelMode(QProcess::MergedChannels);
  pov.start(povray, {QStringLiteral("Preview.ini"), QStringLiteral("+W") + size.section('x', 0, 0),
                     QStringLiteral("+H") + size.section('x', 1, 1), QStringLiteral("-D"),
                     QStringLiteral("-P"), QStringLiteral("+OTest.png")});
  ASSERT_TRUE(pov.waitForFinished(50000));
  const QByteArray log = pov.readAll();
  ASSERT_EQ(pov.exitStatus(), QProcess::NormalExit);
  ASSERT_EQ(pov.exitCode(), 0) << log.toStdString();

  QImage image(dir.filePath(QStringLiteral("Test.png")));
  ASSERT_FALSE(image.isNull()) << log.toStdString();
  EXPECT_EQ(image.size(), QSize(size.section('x', 0, 0).toInt(), size.section('x', 1, 1).toInt()));
  // Not a blank picture: the terrain, the water and the sky differ.
  QList<QRgb> seen;
  for (int y = 0; y < image.height(); y += 8)
    for (int x = 0; x < image.width(); x += 8)
      if (!seen.contains(image.pixel(x, y)))
        seen.append(image.pixel(x, y));
  EXPECT_GT(seen.size(), 20);
}

TEST(PreviewRender, TargaSampleRendersWithPovRay) { renderSample("Intro.tga", 0); }

TEST(PreviewRender, PpmSampleRendersWithPovRay) { renderSample("Hills16.ppm", 1); }

} // namespace
} // namespace hs
