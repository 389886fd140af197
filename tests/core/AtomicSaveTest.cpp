#include "core/AtomicSave.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QSaveFile>

#include <gtest/gtest.h>

#include <string>

namespace hs {
namespace {

// A save file on a device that takes only the first `room` bytes, as a disk
// that fills up part way through.
class FillingSaveFile : public QSaveFile {
public:
  FillingSaveFile(const std::string &name, qint64 room)
      : QSaveFile(QString::fromStdString(name)), room_(room) {}

protected:
  qint64 writeData(const char *data, qint64 len) override {
    if (len <= room_) {
      room_ -= len;
      return QSaveFile::writeData(data, len);
    }
    if (room_ > 0)
      QSaveFile::writeData(data, room_);
    room_ = 0;
    return -1;
  }

private:
  qint64 room_;
};

// Writes text in pieces, as the file writers do, stopping at the first refusal.
WriteText pieces(const std::string &text) {
  return [text](QIODevice &device) {
    for (std::size_t at = 0; at < text.size(); at += 1000) {
      const std::string piece = text.substr(at, 1000);
      if (device.write(piece.data(), static_cast<qint64>(piece.size())) !=
          static_cast<qint64>(piece.size()))
        return false;
    }
    return true;
  };
}

QStringList entries(const TestFolder &folder) {
  return QDir(QString::fromStdString(folder.path()))
      .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

TEST(AtomicSave, AFailedWriteKeepsTheEarlierFileAndLeavesNothingBehind) {
  TestFolder folder;
  const std::string earlier = "earlier text\n";
  const std::string name = folder.write("scene.txt", earlier);
  std::string text;
  for (int k = 0; text.size() < 200'000; ++k)
    text += std::to_string(k) + ",1.000000,2.000000,0,0.500000\n";
  const auto size = static_cast<qint64>(text.size());

  for (qint64 room : {qint64(0), qint64(1), qint64(999), qint64(1 << 16), size / 2, size - 1}) {
    FillingSaveFile file(name, room);
    EXPECT_FALSE(saveAtomically(file, pieces(text))) << room;
    EXPECT_EQ(folder.read("scene.txt"), earlier) << room;
    EXPECT_EQ(entries(folder), QStringList{QStringLiteral("scene.txt")}) << room;
  }
  // A writer that gives up by itself is treated alike.
  EXPECT_FALSE(saveAtomically(name, [](QIODevice &) { return false; }));
  EXPECT_EQ(folder.read("scene.txt"), earlier);

  FillingSaveFile roomy(name, size);
  EXPECT_TRUE(saveAtomically(roomy, pieces(text)));
  EXPECT_EQ(folder.read("scene.txt"), text);
  EXPECT_EQ(entries(folder), QStringList{QStringLiteral("scene.txt")});
}

TEST(AtomicSave, ANameThatCannotBeWrittenAsItIsIsRefused) {
  TestFolder folder;
  // Not UTF-8: Qt would write some other name in its place.
  EXPECT_FALSE(saveAtomically(folder.file("a\xff.inc"), pieces("text")));
  EXPECT_FALSE(saveAtomically(folder.file("no/such/folder.inc"), pieces("text")));
  EXPECT_FALSE(saveAtomically("", pieces("text")));
  EXPECT_TRUE(entries(folder).isEmpty());
  EXPECT_TRUE(saveAtomically(folder.file("a\xc3\xa9.inc"), pieces("text")));
  EXPECT_EQ(folder.read("a\xc3\xa9.inc"), "text");
}

} // namespace
} // namespace hs
