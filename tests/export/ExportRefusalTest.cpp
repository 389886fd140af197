#include "export/ExportTool.h"
#include "support/TestFiles.h"

#include <QDir>

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>

namespace hs {
namespace {

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

// Runs script with a 64 KiB tmpfs mounted on its first argument, in a mount
// namespace of its own; false when no such namespace could be had.
bool runOnTinyDisk(const ExportFolder &f, const std::string &script) {
  std::filesystem::create_directories(f.file("disk"));
  const std::string wrapped = "mount -t tmpfs -o size=64k tmpfs \"$1\" || exit 99\n" + script;
  for (const char *flags : {"-m", "-Urm"}) {
    const ToolRun r =
        runRaw({"unshare", flags, "sh", "-c", wrapped, "sh", f.file("disk")}, f.path());
    if (r.exitCode == 0)
      return true;
  }
  return false;
}

TEST(ExportRefusal, AFullDiskKeepsTheEarlierFileAndSaysSo) {
  ExportFolder f;
  const std::string place = f.read("place.txt");
  // An include file far larger than the disk fails while it is written; a
  // small one on a nearly full disk only fails when the last buffered text is
  // flushed, which the file's commit alone does not always report.
  const struct {
    int objects;
    int fillerKiB;
  } cases[] = {{4000, 0}, {400, 56}};
  for (const auto &c : cases) {
    std::string many = place.substr(0, place.find("1,3  type number"));
    many += "1," + std::to_string(c.objects) + "  type number\n";
    for (int k = 0; k < c.objects; ++k)
      many += "0,0,0,0,0\n";
    f.write("many.txt", many);
    const std::string script = "printf 'earlier\\n' > \"$1/out.inc\"\n"
                               "head -c " +
                               std::to_string(c.fillerKiB * 1024) +
                               " /dev/zero > \"$1/filler\"\n\"" + kTool +
                               "\" many.txt \"$1/out.inc\" 2> err.txt\n"
                               "echo $? > rc.txt\n"
                               "cp \"$1/out.inc\" after.inc && ls -A \"$1\" > listing.txt\n";
    if (!runOnTinyDisk(f, script)) {
      if (getuid() == 0)
        FAIL() << "could not mount a tmpfs in a mount namespace of our own, even as root";
      GTEST_SKIP() << "neither root nor user namespaces here: no tmpfs to fill";
    }
    EXPECT_EQ(f.read("rc.txt"), "1\n") << c.objects;
    EXPECT_EQ(f.read("err.txt"), "Save file ERROR\n") << c.objects;
    EXPECT_EQ(f.read("after.inc"), "earlier\n") << c.objects;
    EXPECT_EQ(f.read("listing.txt"), "filler\nout.inc\n") << c.objects; // no temporary file
  }
}

} // namespace
} // namespace hs
