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

// The picture lands in the start folder. The engine never starts on an old or missing include;
// a FIFO INI does not hold it up.
TEST(RenderLaunch, ThePreviewIniWithProgressAndNoDisplay) {
  EXPECT_EQ(engineArguments("/usr/bin/povray"), (QStringList{"Preview.ini", "+V", "-D"}));
  EXPECT_EQ(engineArguments("C:/POV/bin/PvEngine64.exe"),
            (QStringList{"/RENDER", "Preview.ini", "+V", "-D"}));
  TestFolder dir;
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png")); // no INI
  dir.write("Small.ini", "Output_File_Name=out/../Small.png\n");
  EXPECT_EQ(renderOutputPath(dir.path(), "Small.ini"), dir.file("Small.png"));
  makeFifo(dir, "Preview.ini");
  EXPECT_EQ(renderOutputPath(dir.path(), "Preview.ini"), dir.file("Preview.png"));
  const std::string reason =
      "\n" + dir.file("TestPlace.inc") + ": not a regular file; nothing was written";
  const std::tuple<std::string, const char *, int, std::string> cases[] = {
      {dir.path(), "/bin/povr", RenderNoEngine, kNoEngineMessage}, // 9 characters
      {dir.path(), "/bin/true/povray", RenderNoInclude, kSaveIncludeMessage + reason},
      {dir.file("gone"), "/bin/true/povray", RenderNoInclude, kSaveIncludeMessage}};
  for (const auto &[start, engine, result, message] : cases) {
    Scene scene;
    ProgramValues values;
    FakeServices services;
    values.startDir = start;
    values.enginePath = engine;
    int finished = 0;
    RenderJob job(nullptr, [&finished](const RenderOutcome &) { ++finished; });
    EXPECT_EQ(job.renderPreview(scene.document(), values, &services), result);
    EXPECT_EQ(services.notices, (Notices{{"Notice", message}}));
    EXPECT_EQ(std::tuple(job.running(), finished), std::tuple(false, 0));
    EXPECT_FALSE(std::filesystem::is_regular_file(dir.file("TestPlace.inc")));
    std::filesystem::create_directory(dir.file("TestPlace.inc"));
  }
}

} // namespace
} // namespace hs
