#include "io/Render.h"
#include "io/PovInclude.h"
#include "io/RenderOutput.h"
#include "support/DataTable.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

#include <filesystem>

namespace hs {
namespace {

using Notices = std::vector<std::pair<std::string, std::string>>; // title, message

TEST(RenderOutput, TheInisPictureNameAsPovRayFindsIt) {
  for (const auto &row : test::dataTable("render_outputs.txt")) {
    QByteArray text = QByteArray::fromStdString(test::unescaped(row.at(0)));
    QBuffer ini(&text);
    ini.open(QIODevice::ReadOnly | QIODevice::Text);
    EXPECT_EQ(renderOutputName(ini), row.at(1)) << row.at(0);
  }
}

TEST(RenderOutput, ThePictureLandsInTheStartFolder) {
  TestFolder dir;
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png")); // no INI
  dir.write("Preview.ini", "Output_File_Name=out/../Small.png\n");
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Small.png"));
}

// Pieces split lines anywhere; progress lines never count among the last lines.
TEST(RenderOutput, TheLogFollowsProgressAndKeepsTheLastLines) {
  std::string stream = "povray: cannot open the user configuration file\n";
  for (int i = 1; i <= 14; ++i)
    stream += "line " + std::to_string(i) + "\r\n";
  stream += "Rendered 10 of 100 pixels (10%)\rRendered 55 of 100 pixels (55%)\r";
  stream += "File 'Preview.pov' line 12: Parse Error: Expected 'object'\n instead";
  RenderLog log;
  std::vector<int> seen;
  for (std::size_t at = 0; at < stream.size(); at += 7)
    if (log.feed(QByteArray::fromStdString(stream.substr(at, 7))))
      seen.push_back(log.percent());
  log.finish();
  EXPECT_EQ(seen, (std::vector<int>{10, 55}));
  std::string expected;
  for (int i = 5; i <= 14; ++i)
    expected += "line " + std::to_string(i) + "\n";
  expected += "File 'Preview.pov' line 12: Parse Error: Expected 'object'\ninstead\n";
  EXPECT_EQ(log.lastLines(), expected);
}

TEST(RenderLaunch, ThePreviewIniWithProgressAndNoDisplay) {
  EXPECT_EQ(engineArguments("/usr/bin/povray"), (QStringList{"Preview.ini", "+V", "-D"}));
  EXPECT_EQ(engineArguments("C:/POV/bin/PvEngine64.exe"),
            (QStringList{"/RENDER", "Preview.ini", "+V", "-D"}));
}

TEST(RenderLaunch, RefusesAShortEnginePath) {
  TestFolder dir;
  Scene scene;
  ProgramValues values;
  WindowValues window;
  FakeServices services;
  values.startDir = dir.path();
  values.enginePath = "/bin/povr"; // 9 characters
  int finished = 0;
  RenderJob job(nullptr, [&finished](const RenderOutcome &) { ++finished; });
  EXPECT_EQ(job.renderPreview(scene.document(), values, &services), RenderNoEngine);
  EXPECT_FALSE(std::filesystem::exists(dir.file("TestPlace.inc")));
  EXPECT_EQ(services.notices, (Notices{{"Notice", kNoEngineMessage}}));
  EXPECT_EQ(std::tuple(job.running(), finished), std::tuple(false, 0));
}

// The engine never starts on an old or missing include; a FIFO INI does not hold it up.
TEST(RenderLaunch, AnIncludeThatCannotBeWrittenIsReportedAndNothingStarts) {
  TestFolder dir;
  makeFifo(dir, "Preview.ini");
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png"));
  std::filesystem::create_directory(dir.file("TestPlace.inc"));
  const std::string reason =
      "\n" + dir.file("TestPlace.inc") + ": not a regular file; nothing was written";
  for (const auto &[start, message] :
       {std::pair{dir.path(), std::string(kSaveIncludeMessage) + reason},
        std::pair{dir.file("gone"), std::string(kSaveIncludeMessage)}}) {
    Scene scene;
    ProgramValues values;
    WindowValues window;
    FakeServices services;
    values.startDir = start;
    values.enginePath = "/bin/true/povray";
    RenderJob job(nullptr, nullptr);
    EXPECT_EQ(job.renderPreview(scene.document(), values, &services), RenderNoInclude);
    EXPECT_EQ(services.notices, (Notices{{"Notice", message}}));
    EXPECT_FALSE(job.running());
  }
}

} // namespace
} // namespace hs
