#include "AppTestSupport.h"

#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

namespace hs {
namespace {

class FilesWindowTest : public WindowTest {
protected:
  void SetUp() override {
    QSettings("Hillstrew", "Hillstrew").clear();
    WindowTest::SetUp();
  }
  QStringList recent() {
    QStringList shown;
    for (QAction *a : window->menuAction(kRecentMenu)->menu()->actions())
      if (a->isVisible())
        shown << a->text();
    return shown;
  }
  void drop(const std::string &name) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(name))});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped({10, 10}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &dropped);
  }
};

// Save asks for a name only the first time; the title names the file, Recent
// lists it first.
TEST_F(FilesWindowTest, SaveWritesToTheCurrentFileAndRecentListsIt) {
  EXPECT_EQ(window->windowTitle(), "Hill Strew*"); // the fixture loaded a map
  EXPECT_EQ(recent(), QStringList{"(none)"});
  const std::string a = folder.file("a.txt");
  script.answerFile(a);
  const std::size_t asked = script.fileRequests.size();
  menu(kSave);
  EXPECT_EQ(script.fileRequests.size(), asked + 1);
  EXPECT_EQ(window->windowTitle(), "a.txt - Hill Strew");
  clickMap(30, 40);
  EXPECT_EQ(window->windowTitle(), "a.txt* - Hill Strew");
  menu(kSave);
  EXPECT_EQ(script.fileRequests.size(), asked + 1); // no question the second time
  EXPECT_NE(folder.read("a.txt").find("30.000000,100.000000,40.000000"), std::string::npos);
  EXPECT_EQ(window->windowTitle(), "a.txt - Hill Strew");
  menu(kHistoryUndo); // and redone back to what was saved, it is saved again
  EXPECT_EQ(window->windowTitle(), "a.txt* - Hill Strew");
  menu(kHistoryRedo);
  EXPECT_EQ(window->windowTitle(), "a.txt - Hill Strew");

  const std::string b = folder.file("b.txt");
  script.answerFile(b);
  menu(kSaveData);
  EXPECT_EQ(window->currentDataFile(), b);
  const QString absA = QFileInfo(QString::fromStdString(a)).absoluteFilePath();
  const QString absB = QFileInfo(QString::fromStdString(b)).absoluteFilePath();
  EXPECT_EQ(recent(), (QStringList{"&1 " + absB, "&2 " + absA}));
  window->menuAction(kRecentMenu)->menu()->actions().last()->trigger();
  EXPECT_EQ(std::pair(window->currentDataFile(), window->windowTitle()),
            std::pair(absA.toStdString(), QString("a.txt - Hill Strew")));
  EXPECT_EQ(recent().front(), "&1 " + absA);

  // At most eight, newest first.
  for (int i = 0; i < 10; ++i) {
    script.answerFile(folder.file("f" + std::to_string(i) + ".txt"));
    menu(kSaveData);
  }
  const QStringList last = recent();
  ASSERT_EQ(last.size(), 8);
  EXPECT_TRUE(last.front().endsWith("f9.txt") && last.back().endsWith("f2.txt"));
}

// A place data file or a height field dropped on the window opens, as a step.
TEST_F(FilesWindowTest, DroppedFilesOpen) {
  const std::string map = folder.write("drop.tga", targaBytes(60, 50, 7));
  drop(map);
  EXPECT_EQ(std::pair(scene().document().mapWidth(), scene().document().mapHeight()),
            std::pair(60, 50));
  const std::string data = folder.write(
      "drop.txt", "1,0,1,1,1 HS_At\n2,0,2,0,0 HS_Look\n" + map +
                      "\n100,10,100 HS_Scale\n0,0,0 W Sm Ft\n2,1  type number\n5,7,6,0,0\n");
  drop(data);
  EXPECT_EQ(std::pair(scene().document().objects()[1].count(), window->currentDataFile()),
            std::pair(1, data));
  EXPECT_EQ(window->menuAction(kHistoryUndo)->text(), "Undo Open Data");
  menu(kHistoryUndo);
  EXPECT_EQ(scene().document().objects()[1].count(), 0);
  EXPECT_EQ(window->menuAction(kHistoryUndo)->text(), "Undo Load Height Field");
  menu(kHistoryRedo);
  drop(folder.write("junk.txt", "nothing\n"));
  ASSERT_FALSE(script.notices.empty());
  EXPECT_EQ(script.notices.back().message, "Load DAT Data3 ERROR");
}

// The close box, Exit, Open.Data and another height field ask before unsaved
// work goes: Cancel changes nothing, Discard goes on, Save saves first.
TEST_F(FilesWindowTest, UnsavedWorkIsNotLostWithoutAQuestion) {
  clickMap(30, 40);
  const std::vector<std::string> asked = {"Hill Strew: Save changes?"};
  script.answerQuestion(2); // Cancel
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(script.questions, asked);
  script.answerQuestion(2);
  menu(kOpenData);
  script.answerQuestion(2);
  menu(kHeightField);
  EXPECT_EQ(script.questions.size(), 3u);
  EXPECT_EQ(std::get<0>(last()), 1); // nothing changed, nothing asked for a file
  EXPECT_EQ(script.fileRequests.size(), 1u);

  script.answerQuestion(0); // Save, the chooser cancelled
  script.answerCancel();
  EXPECT_FALSE(window->close());
  script.answerQuestion(0);
  script.answerFile(folder.file("kept.txt"));
  EXPECT_TRUE(window->close());
  EXPECT_NE(folder.read("kept.txt").find("30.000000,100.000000,40.000000"), std::string::npos);
  window->show();
  EXPECT_TRUE(window->close()); // saved: nothing is asked
  EXPECT_EQ(script.questions.size(), 5u);
  window->show();
  clickMap(50, 60);
  script.answerQuestion(2);
  menu(kExitId);
  EXPECT_TRUE(window->isVisible());
  script.answerQuestion(1);
  menu(kExitId);
  EXPECT_FALSE(window->isVisible());
  EXPECT_EQ(script.questions.size(), 7u);
  EXPECT_EQ(folder.read("kept.txt").find("50.000000"), std::string::npos);
}

} // namespace
} // namespace hs
