#include "export/ExportTool.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace hs;

TEST(Export, EveryGoldenPlaceFileGivesItsGoldenIncludeFile) {
  const QDir data(QStringLiteral(HS_TEST_DATA));
  const QStringList goldens = data.entryList({QStringLiteral("place_*.txt")}, QDir::Files);
  ASSERT_GE(goldens.size(), 3);
  QTemporaryDir tmp;
  for (const QString &name : goldens) {
    const QString inc = name.chopped(4) + QStringLiteral(".inc");
    const QByteArray expected = contents(data.filePath(inc));
    // To standard output...
    const ToolRun toStdout = exportTool({name});
    EXPECT_EQ(toStdout.exitCode, 0) << name.toStdString() << toStdout.err.toStdString();
    EXPECT_EQ(toStdout.out, expected) << name.toStdString();
    // ... and to a file.
    const QString outFile = tmp.filePath(inc);
    const ToolRun toFile = exportTool({name, outFile});
    EXPECT_EQ(toFile.exitCode, 0) << name.toStdString();
    EXPECT_TRUE(toFile.out.isEmpty());
    EXPECT_EQ(contents(outFile), expected) << name.toStdString();
  }
}

TEST(Export, FailuresPrintTheMessageAndKeepAnEarlierOutput) {
  QTemporaryDir tmp;
  const QString out = tmp.filePath(QStringLiteral("out.inc"));
  QFile earlier(out);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
  earlier.write("earlier\n");
  earlier.close();

  auto write = [&](const char *name, const QByteArray &text) {
    QFile f(tmp.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    return f.fileName();
  };
  const QByteArray head = "1,2,3,0,0\n4,5,6,0,0\n";
  const struct {
    QString file;
    const char *message;
  } cases[] = {
      {tmp.filePath(QStringLiteral("none.txt")), "Load DAT file ERROR"},
      {write("look.txt", "1,2,3,0,0\n4,5\nx.tga\n1,1,1\n0,0,0\n"), "Load DAT Data2 ERROR"},
      {write("tga.txt", head + "no-such.tga\n1,1,1\n0,0,0\n"), "Load DAT Data6 ERROR"},
  };
  for (const auto &c : cases) {
    const ToolRun r = exportTool({c.file, out}, tmp.path());
    EXPECT_NE(r.exitCode, 0) << c.message;
    EXPECT_EQ(r.err.trimmed().toStdString(), c.message);
    EXPECT_EQ(contents(out), QByteArray("earlier\n"));
  }
  const ToolRun badPalette = exportTool(
      {QStringLiteral("--palette"), tmp.filePath("none.pal"), QStringLiteral("place_targa.txt")});
  EXPECT_NE(badPalette.exitCode, 0);
  EXPECT_EQ(badPalette.err.trimmed(), QByteArray("open error"));
  const ToolRun unwritable = exportTool(
      {QStringLiteral("place_targa.txt"), tmp.filePath(QStringLiteral("no/dir/out.inc"))});
  EXPECT_NE(unwritable.exitCode, 0);
  EXPECT_EQ(unwritable.err.trimmed(), QByteArray("Save file ERROR"));
}

TEST(Export, HelpUsageAndPaletteOption) {
  const ToolRun help = exportTool({QStringLiteral("--help")});
  EXPECT_EQ(help.exitCode, 0);
  EXPECT_TRUE(help.out.contains("--palette FILE"));
  EXPECT_NE(exportTool({}).exitCode, 0);
  EXPECT_NE(exportTool({QStringLiteral("--bogus"), QStringLiteral("place_targa.txt")}).exitCode, 0);
  // Heights in the include file come from the stored values, so a palette only
  // changes what a fresh sample reads (height mode 7): entry 240 painted with
  // blue 0 reads as height 0.
  QTemporaryDir tmp;
  QFile pal(tmp.filePath(QStringLiteral("flat.pal")));
  ASSERT_TRUE(pal.open(QIODevice::WriteOnly));
  for (int i = 0; i < 256; ++i)
    pal.write(QByteArray::number(i) + "," + QByteArray::number(i) + "," +
              QByteArray::number(i == 240 ? 0 : i) + "\n");
  pal.close();
  const ToolRun r =
      exportTool({QStringLiteral("--palette"), pal.fileName(), QStringLiteral("place_targa.txt")});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(r.out.contains("#declare HS_Obj16=array[1]{\n<0.000000,0.000000,-100.000000>}"))
      << r.out.toStdString();
}

} // namespace
