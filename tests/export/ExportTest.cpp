#include "export/ExportTool.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

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
    const ToolRun toStdout = exportTool({name});
    EXPECT_EQ(toStdout.out, expected) << name.toStdString() << toStdout.err.toStdString();
    const ToolRun toFile = exportTool({name, tmp.filePath(inc)});
    EXPECT_EQ(toFile.exitCode + toFile.out.size(), 0) << name.toStdString();
    EXPECT_EQ(contents(tmp.filePath(inc)), expected) << name.toStdString();
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
      {write("ppm.txt", head + "no-such.ppm\n1,1,1\n0,0,1\n"), "Load DAT Data5 ERROR"},
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
  EXPECT_TRUE(help.exitCode == 0 && help.out.contains("--palette FILE"));
  EXPECT_EQ(exportTool({}).exitCode, 2); // a usage error, as the usual tools give
  EXPECT_EQ(exportTool({QStringLiteral("--bogus"), QStringLiteral("place_targa.txt")}).exitCode, 2);
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

const std::string kTool = HS_EXPORT_TOOL;

// A test folder holding a place data file, the Targa it names and a palette.
struct ExportFolder : TestFolder {
  ExportFolder() {
    const std::string data = HS_TEST_DATA;
    std::filesystem::copy_file(data + "/place_targa.txt", file("place.txt"));
    std::filesystem::copy_file(data + "/tiny.tga", file("tiny.tga"));
    std::string pal;
    for (int i = 0; i < 256; ++i)
      pal += std::to_string(i) + "," + std::to_string(i) + "," + std::to_string(i) + "\n";
    write("my.pal", pal);
  }
  QStringList entries() const {
    return QDir(QString::fromStdString(path()))
        .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
  }
};

TEST(ExportRefusal, NeverWritesOverAFileItReads) {
  ExportFolder f;
  const std::string place = f.read("place.txt"), tga = f.read("tiny.tga"), pal = f.read("my.pal");
  std::filesystem::create_symlink("place.txt", f.file("link.txt"));
  std::filesystem::create_hard_link(f.file("tiny.tga"), f.file("hard.tga"));
  const struct {
    const char *out;
    const char *what;
  } cases[] = {{"place.txt", "the place data file"}, {"./place.txt", "the place data file"},
               {"link.txt", "the place data file"},  {"tiny.tga", "the height field"},
               {"hard.tga", "the height field"},     {"my.pal", "the palette"}};
  for (const auto &c : cases) {
    const ToolRun r = runRaw({kTool, "--palette", "my.pal", "place.txt", c.out}, f.path());
    EXPECT_EQ(r.exitCode, 1) << c.out;
    EXPECT_TRUE(r.err.contains(c.what)) << c.out << ": " << r.err.toStdString();
    EXPECT_EQ(f.read("place.txt"), place) << c.out;
    EXPECT_EQ(f.read("tiny.tga"), tga) << c.out;
    EXPECT_EQ(f.read("my.pal"), pal) << c.out;
  }
}

TEST(ExportRefusal, ANameThatIsNotUtf8IsRefusedAndNoOtherFileWritten) {
  ExportFolder f;
  const QStringList before = f.entries();
  std::filesystem::copy_file(f.file("place.txt"), f.file("p\xfe.txt"));
  for (const char *out : {"a\xff.inc", "a\xfe.inc"}) {
    const ToolRun r = runRaw({kTool, "place.txt", out}, f.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("not a UTF-8 file name")) << r.err.toStdString();
  }
  EXPECT_EQ(runRaw({kTool, "p\xfe.txt"}, f.path()).exitCode, 1);
  std::filesystem::remove(f.file("p\xfe.txt"));
  EXPECT_EQ(f.entries(), before);
}

TEST(ExportRefusal, RunningOutOfMemoryIsAMessageNotAnAbort) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "the address sanitizer reserves more address space than any limit allows";
#else
  ExportFolder f;
  std::string big = f.read("place.txt").substr(0, f.read("place.txt").find("1,3  type number"));
  big += "1,4000000  type number\n";
  for (int k = 0; k < 4'000'000; ++k)
    big += "0,0,0,0,0\n";
  f.write("big.txt", big);
  const std::string limit = "--as=" + std::to_string(256 << 20);
  // The limit leaves room for a small file, so it is the objects that do not fit.
  const ToolRun small = runRaw({"prlimit", limit, kTool, "place.txt", "small.inc"}, f.path());
  ASSERT_EQ(small.exitCode, 0) << small.err.toStdString();
  const ToolRun r = runRaw({"prlimit", limit, kTool, "big.txt", "big.inc"}, f.path());
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.err.startsWith("Not enough memory")) << r.err.toStdString();
  EXPECT_FALSE(std::filesystem::exists(f.file("big.inc")));
#endif
}

// A small include file on a nearly full 64 KiB tmpfs (in a mount namespace of
// its own) fails only when the last buffered text is flushed, which the file's
// commit alone does not always report; the earlier file must stay.
TEST(ExportRefusal, AFullDiskKeepsTheEarlierFileAndSaysSo) {
  ExportFolder f;
  const std::string place = f.read("place.txt");
  std::string many = place.substr(0, place.find("1,3  type number")) + "1,400  type number\n";
  for (int k = 0; k < 400; ++k)
    many += "0,0,0,0,0\n";
  f.write("many.txt", many);
  std::filesystem::create_directories(f.file("disk"));
  const std::string script = "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n"
                             "printf 'earlier\\n' > \"$1/out.inc\"\n"
                             "head -c 57344 /dev/zero > \"$1/filler\"\n\"" +
                             kTool +
                             "\" many.txt \"$1/out.inc\" 2> err.txt\necho $? > rc.txt\n"
                             "cp \"$1/out.inc\" after.inc && ls -A \"$1\" > listing.txt\n";
  if (runRaw({"unshare", "-m", "sh", "-c", script, "sh", f.file("disk")}, f.path()).exitCode != 0 &&
      runRaw({"unshare", "-Urm", "sh", "-c", script, "sh", f.file("disk")}, f.path()).exitCode !=
          0) {
    ASSERT_NE(getuid(), 0u) << "could not mount a tmpfs in a namespace of our own, even as root";
    GTEST_SKIP() << "neither root nor user namespaces here: no tmpfs to fill";
  }
  EXPECT_EQ(f.read("rc.txt"), "1\n");
  EXPECT_EQ(f.read("err.txt"), "Save file ERROR\n");
  EXPECT_EQ(f.read("after.inc"), "earlier\n");
  EXPECT_EQ(f.read("listing.txt"), "filler\nout.inc\n"); // no temporary file
}

} // namespace
