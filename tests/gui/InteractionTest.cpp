#include "gui/vInteraction.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace hs {
namespace {

constexpr const char *kFilters[] = {"*.txt", "*.inc", "*"};

TEST(StandIn, RecordsNoticesAndAnswersChoosersFromItsScript) {
  ScriptedInteraction stand;
  EXPECT_EQ(interaction(), &stand);
  vNoticeDialog(nullptr, "About").notice("open error");
  ASSERT_EQ(stand.notices.size(), 1u);
  EXPECT_EQ(stand.notices[0].title, "About");
  EXPECT_EQ(stand.notices[0].message, "open error");

  stand.answerFile("/tmp/scene.inc", 1);
  stand.answerCancel();
  vFileSelect chooser;
  std::string name = "Intro.txt";
  int filter = 0;
  EXPECT_EQ(chooser.fileSelectSave("Save INC", name, 4095, kFilters, filter), FileResult::Chosen);
  EXPECT_EQ(name, "/tmp/scene.inc");
  EXPECT_EQ(filter, 1);
  EXPECT_EQ(chooser.fileSelect("Open", name, 4095, kFilters, filter), FileResult::Cancelled);
  EXPECT_EQ(name, "/tmp/scene.inc"); // a cancel leaves the name alone
  // An empty script cancels.
  EXPECT_EQ(chooser.fileSelect("Open", name, 4095, kFilters, filter), FileResult::Cancelled);

  ASSERT_EQ(stand.fileRequests.size(), 3u);
  EXPECT_EQ(stand.fileRequests[0].proposedName, "Intro.txt");
  EXPECT_EQ(stand.fileRequests[1].kind, FileRequest::Open);
}

TEST(StandIn, RefusesNamesLongerThanTheFieldAndRestoresThePreviousHandler) {
  {
    ScriptedInteraction outer;
    {
      ScriptedInteraction inner;
      inner.answerFile(std::string(20, 'a'));
      vFileSelect chooser;
      std::string name = "keep";
      int filter = 7; // out of range: the first filter is shown
      EXPECT_EQ(chooser.fileSelect("Open", name, 19, kFilters, filter), FileResult::NameTooLong);
      EXPECT_EQ(name, "keep");
      EXPECT_EQ(inner.fileRequests[0].filterIndex, 0);
      EXPECT_EQ(interaction(), &inner);
    }
    EXPECT_EQ(interaction(), &outer);
  }
  EXPECT_EQ(interaction(), nullptr);
}

TEST(RealDialogs, OpenChooserAnswersAPerson) {
  ASSERT_EQ(interaction(), nullptr);
  QTemporaryDir dir;
  const QString path = dir.filePath("scene.txt");
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  QTimer::singleShot(0, [&] {
    auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(chooser->selectedNameFilter(), "*.inc");
    chooser->selectFile(path);
    static_cast<QDialog *>(chooser)->accept(); // public there
  });
  std::string name = (QDir(dir.path()).filePath("proposed.txt")).toStdString();
  int filter = 1;
  EXPECT_EQ(vFileSelect().fileSelect("Open.Data", name, 4095, kFilters, filter),
            FileResult::Chosen);
  EXPECT_EQ(name, path.toStdString());
}

TEST(RealDialogs, SaveChooserConfirmsReplacing) {
  QTimer::singleShot(0, [&] {
    auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
    ASSERT_NE(chooser, nullptr);
    EXPECT_EQ(chooser->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_FALSE(chooser->testOption(QFileDialog::DontConfirmOverwrite));
    chooser->reject();
  });
  std::string name = "x.inc";
  int filter = 0;
  EXPECT_EQ(vFileSelect().fileSelectSave("Save", name, 4095, kFilters, filter),
            FileResult::Cancelled);
  EXPECT_EQ(name, "x.inc");
}

} // namespace
} // namespace hs
