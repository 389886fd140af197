#include "core/AtomicSave.h"
#include "core/FileStamp.h"
#include "core/RelativeNames.h"
#include "core/Settings.h"
#include "support/DataTable.h"
#include "support/FakeServices.h"
#include "support/TestFiles.h"

#include <QBuffer>
#include <QDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace hs {
namespace {

// In pieces, as the file writers write.
WriteText pieces(const std::string &text) {
  return [text](QIODevice &device) {
    for (std::size_t at = 0; at < text.size(); at += 1000) {
      const auto n = static_cast<qint64>(std::min<std::size_t>(1000, text.size() - at));
      if (device.write(text.data() + at, n) != n)
        return false;
    }
    return true;
  };
}

// In a child whose files may grow to `room` bytes, as on a full disk: 0 saved, 1 refused.
int saveWithRoom(const std::string &name, const std::string &text, rlim_t room) {
  const pid_t pid = fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{room, room};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(saveAtomically(name, pieces(text)) ? 0 : 1);
  }
  int status = 0;
  return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

QStringList entries(const TestFolder &folder) {
  return QDir(QString::fromStdString(folder.path()))
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A full disk keeps the earlier file and leaves nothing behind; a save keeps the
// mode, owner and group and writes through links.
TEST(AtomicSave, AFullDiskKeepsTheEarlierFileAndASaveKeepsModeOwnerAndLinks) {
  TestFolder folder;
  const std::string earlier = "earlier text\n";
  const std::string name = folder.write("scene.txt", earlier);
  ::chmod(name.c_str(), 0640);
  std::filesystem::create_hard_link(name, folder.file("hard.txt"));
  std::filesystem::create_symlink("scene.txt", folder.file("soft.txt"));
  const bool root = ::geteuid() == 0;
  ASSERT_TRUE(!root || ::chown(name.c_str(), 4321, 4322) == 0);
  const QStringList files = entries(folder);
  std::string text;
  for (int k = 0; text.size() < 200'000; ++k)
    text += std::to_string(k) + ",1.000000,2.000000,0,0.500000\n";
  const rlim_t size = text.size();
  EXPECT_FALSE(saveAtomically(name, [](QIODevice &) { return false; }));
  // One byte short is refused only by the final flush.
  for (rlim_t room : {rlim_t{0}, rlim_t{1}, rlim_t{999}, rlim_t{1} << 16, size / 2, size - 1}) {
    EXPECT_EQ(saveWithRoom(name, text, room), 1) << room;
    EXPECT_TRUE(folder.read("scene.txt") == earlier && entries(folder) == files) << room;
  }
  EXPECT_EQ(saveWithRoom(folder.file("soft.txt"), text, size), 0);
  EXPECT_TRUE(folder.read("scene.txt") == text && entries(folder) == files);
  struct stat st {};
  ASSERT_EQ(::stat(name.c_str(), &st), 0);
  EXPECT_EQ(std::tuple(st.st_mode & 07777, st.st_uid, st.st_gid),
            std::tuple(0640u, root ? 4321u : ::geteuid(), root ? 4322u : ::getegid()));
  EXPECT_EQ(std::tuple(folder.read("hard.txt"), fileType(folder.file("soft.txt")),
                       std::filesystem::is_symlink(folder.file("soft.txt"))),
            std::tuple(earlier, S_IFREG, true));
}

TEST(AtomicSave, NeverReplacesWhatIsNotAWritableRegularFileNorANameItCannotWrite) {
  TestFolder folder;
  const std::string readOnly = folder.write("ro.txt", "earlier");
  ::chmod(readOnly.c_str(), 0444);
  std::filesystem::create_directory(folder.file("dir"));
  std::vector<std::tuple<std::string, SaveStatus, unsigned>> cases = {
      {makeFifo(folder, "fifo"), SaveStatus::NotRegularFile, S_IFIFO},
      {folder.file("dir"), SaveStatus::NotRegularFile, S_IFDIR},
      {readOnly, SaveStatus::ReadOnly, S_IFREG}};
  if (const std::string zero = makeZeroDevice(folder, "zero"); !zero.empty())
    cases.emplace_back(zero, SaveStatus::NotRegularFile, S_IFCHR);
  for (const auto &[name, status, type] : cases)
    EXPECT_EQ(std::tuple(saveAtomically(name, pieces("text")).status, mayReplace(name).status,
                         fileType(name)),
              std::tuple(status, status, type))
        << name;
  EXPECT_EQ(folder.read("ro.txt"), "earlier");
  const QStringList before = entries(folder);
  // Not UTF-8: Qt would write some other name in its place.
  for (const std::string &bad :
       {folder.file("a\xff.inc"), folder.file("no/such/folder.inc"), std::string()})
    EXPECT_FALSE(saveAtomically(bad, pieces("text"))) << bad;
  EXPECT_EQ(entries(folder), before); // nothing left behind
  EXPECT_TRUE(saveAtomically(folder.file("a\xc3\xa9.inc"), pieces("text")));
  EXPECT_EQ(folder.read("a\xc3\xa9.inc"), "text");
}

TEST(FileStamp, ShowsAChangeOfContentsSizeOrTimeAndADeletion) {
  TestFolder folder;
  const std::pair<const char *, int> rewrites[] = {
      {"1\n", 0}, {"12\n", 0}, {"2\n", 1}, {"2\n", 0}, {nullptr, 0}};
  for (const auto &[text, secondsLater] : rewrites) {
    const std::string name = folder.write("s.txt", "1\n");
    const FileStamp stamp = stampFile(name);
    const auto at = std::filesystem::last_write_time(name);
    text ? std::filesystem::last_write_time(folder.write("s.txt", text),
                                            at + std::chrono::seconds(secondsLater))
         : (void)std::filesystem::remove(name);
    EXPECT_EQ(changedSince(stamp, name), text != rewrites[0].first) << (text ? text : "deleted");
  }
}

struct Settings : ::testing::Test {
  ProgramValues v;
  WindowValues w;
  Document d;
  FakeServices services;
  void read(const std::string &text) {
    QByteArray bytes = QByteArray::fromStdString(text);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    readSettings(buffer, v, w, d);
  }
  std::string written() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(writeSettings(buffer, v, w, d));
    return buffer.data().toStdString();
  }
};

TEST_F(Settings, MissingLinesAreEmptyAndABadUnitsLineChangesNothing) {
  const std::string six =
      "/a/hills.tga\n/a/place.txt\n/a/place.inc\n2\n/usr/bin/povray\n/a/Std.pal\n";
  read(six);
  EXPECT_EQ(written(), six + "\n---- DO NOT EDIT THIS FILE !!!----\n\n"
                             " *** containts IMPORTANT information ***\n"
                             "      ***  for Hillstrew.exe ***\n");
  // Written empty, so the other lines stay in place.
  d.setHfFileName("two\nlines.tga");
  EXPECT_EQ(written().substr(0, 16), "\n/a/place.txt\n/a");
  // Missing lines are empty and a bad units line changes nothing.
  v.unitsMode = 1;
  read("a.tga\r\nb.txt\r\nc.inc\r\n");
  EXPECT_EQ(std::tuple(d.hfFileName(), w.dataFileName, v.povFileName, v.unitsMode, v.enginePath),
            std::tuple("a.tga", "b.txt", "c.inc", 1, ""));
  // The units line is read as "%i" reads it, from its first 19 characters.
  const std::pair<std::string, int> units[] = {
      {"fast", 5}, {"0x2 units", 2}, {"010", 8}, {std::string(18, ' ') + "12", 1}};
  for (const auto &[line, mode] : units) {
    v.unitsMode = 5;
    read("a\nb\nc\n" + line + "\ne\nf");
    EXPECT_EQ(v.unitsMode, mode) << line;
  }
  EXPECT_EQ(std::pair(v.enginePath, w.paletteFileName),
            std::pair(std::string("e"), std::string("f"))); // no line end needed
}

TEST_F(Settings, TheFirstRunTakesPovRayFromThePathAndAFailedSaveIsReported) {
  using Notices = std::vector<std::pair<std::string, std::string>>;
  const QByteArray path = qgetenv("PATH");
  for (const bool onPath : {true, false}) {
    TestFolder dir;
    const std::string povray = dir.file("bin/povray");
    std::filesystem::create_directory(dir.file("bin"));
    if (onPath) {
      dir.write("bin/povray", "#!/bin/sh\n");
      std::filesystem::permissions(povray, std::filesystem::perms::owner_all);
    }
    qputenv("PATH", QByteArray::fromStdString(dir.file("bin")));
    v = {};
    services.notices.clear();
    initStartDir(v);
    EXPECT_FALSE(loadSettings(v, w, d, &services));
    const std::string engine = onPath ? povray : v.startDir + "/povray";
    EXPECT_EQ(std::tuple(services.notices, v.enginePath,
                         dir.read("Strewer.ini").find("\n" + engine + "\n") != std::string::npos),
              std::tuple(Notices{{"Notice", onPath ? kEngineFoundMessage + povray + "\n"
                                                   : std::string(kNoSettingsMessage)}},
                         engine, true));
  }
  qputenv("PATH", path);
  services.notices.clear();
  v.settingsPath = "/no/such/dir/Strewer.ini";
  EXPECT_FALSE(saveSettings(v, w, d, &services));
  EXPECT_EQ(services.notices, (Notices{{"Notice", kSaveSettingsMessage}}));
}

// Names in the naming file's folder or below are written relative, so a project can move.
TEST_F(Settings, ProjectNamesAreWrittenRelativeAndFoundBothWays) {
  TestFolder dir;
  const std::string here = dir.write("hills.tga", "x");
  const auto in = [&dir](const std::string &text) {
    return test::unescaped(
        QString::fromStdString(text).replace("DIR", dir.path().c_str()).toStdString());
  };
  for (const auto &row : test::dataTable("relative_names.txt")) {
    const FoundName found = nameReadFrom(in(row[2]), in(row[1]));
    EXPECT_EQ(row[0] == "write" ? std::pair(nameWrittenIn(row[2], row[1]), std::string())
                                : std::pair(found.name, found.notice),
              std::pair(in(row[3]), in(row.size() > 4 ? row[4] : "")))
        << row[2];
  }
  v.settingsPath = dir.file("Strewer.ini"); // its names are written as StartUpTest shows
  dir.write("Strewer.ini", "/gone/hills.tga\nsub/place.txt\n");
  EXPECT_TRUE(loadSettings(v, w, d, &services));
  EXPECT_EQ(std::tuple(d.hfFileName(), w.dataFileName, services.notices.size()),
            std::tuple(here, dir.file("sub/place.txt"), std::size_t{1}));
}

} // namespace
} // namespace hs
