#include "AppTestSupport.h"
#include "core/RelativeNames.h"
#include "view/Scroll.h"

#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace hs {
namespace {

class FilesWindowTest : public WindowTest {
protected:
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

// Save asks for a name only the first time; Recent lists at most eight.
TEST_F(FilesWindowTest, SaveWritesToTheCurrentFileRecentListsItAndDroppedFilesOpen) {
  EXPECT_EQ(std::pair(window->windowTitle(), recent()),
            std::pair(QString("Hill Strew*"), QStringList{"(none)"})); // the fixture loaded a map
  const std::string a = folder.file("a.txt");
  script.answerFile(a);
  menu(kSave);
  clickMap(30, 40);
  EXPECT_EQ(window->windowTitle(), "a.txt* - Hill Strew");
  menu(kSave);
  EXPECT_EQ(script.fileRequests.size(), 2u); // the map, then a.txt once
  EXPECT_NE(folder.read("a.txt").find("30.000000,100.000000,40.000000"), std::string::npos);
  menu(kHistoryUndo); // and redone back to what was saved, it is saved again
  menu(kHistoryRedo);
  EXPECT_EQ(window->windowTitle(), "a.txt - Hill Strew");

  script.answerFile(folder.file("b.txt"));
  menu(kSaveData);
  const QString absA = QFileInfo(QString::fromStdString(a)).absoluteFilePath();
  EXPECT_EQ(recent().back(), "&2 " + absA);
  window->menuAction(kRecentMenu)->menu()->actions().last()->trigger();
  EXPECT_EQ(std::tuple(window->currentDataFile(), window->windowTitle(), recent().front()),
            std::tuple(absA.toStdString(), QString("a.txt - Hill Strew"), "&1 " + absA));
  std::ofstream(folder.file("a.txt"), std::ios::app) << "5,8,6,0,0\n"; // another program's
  clickMap(50, 60);
  script.answerQuestion(1); // Cancel writes nothing
  menu(kSave);
  EXPECT_EQ(std::tuple(script.questions, folder.read("a.txt").ends_with("5,8,6,0,0\n"),
                       window->windowTitle()),
            std::tuple(std::vector<std::string>{"Hill Strew: a.txt was changed by another program "
                                                "since it was opened. Overwrite?"},
                       true, QString("a.txt* - Hill Strew")));
  script.answerQuestion(0); // Overwrite
  menu(kSave);
  EXPECT_EQ(window->windowTitle(), "a.txt - Hill Strew");
  for (int i = 0; i < 10; ++i) {
    script.answerFile(folder.file("f" + std::to_string(i) + ".txt"));
    menu(kSaveData);
  }
  const QStringList last = recent();
  ASSERT_EQ(last.size(), 8);
  EXPECT_TRUE(last.front().endsWith("f9.txt") && last.back().endsWith("f2.txt"));

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

// The close box, Exit, Open.Data and another height field ask first.
TEST_F(FilesWindowTest, UnsavedWorkIsNotLostWithoutAQuestion) {
  clickMap(30, 40);
  for (int i = 0; i < 3; ++i)
    script.answerQuestion(2); // Cancel
  EXPECT_FALSE(window->close());
  menu(kOpenData);
  menu(kHeightField);
  EXPECT_EQ(std::tuple(window->isVisible(), script.questions.size(), script.questions[0],
                       std::get<0>(last()), script.fileRequests.size()),
            std::tuple(true, std::size_t{3}, "Hill Strew: Save changes?", 1, std::size_t{1}));

  script.answerQuestion(0); // Save, the chooser cancelled
  script.answerCancel();
  EXPECT_FALSE(window->close());
  script.answerQuestion(0);
  script.answerFile(folder.file("kept.txt"));
  EXPECT_TRUE(window->close());
  EXPECT_NE(folder.read("kept.txt").find("30.000000,100.000000,40.000000"), std::string::npos);
  window->show();
  EXPECT_TRUE(window->close()); // saved: nothing is asked
  window->show();
  clickMap(50, 60);
  script.answerQuestion(2);
  menu(kExitId);
  EXPECT_TRUE(window->isVisible());
  script.answerQuestion(1);
  menu(kExitId);
  EXPECT_EQ(std::tuple(window->isVisible(), script.questions.size(), script.questions[6]),
            std::tuple(false, std::size_t{7}, "Hill Strew: Save changes to kept.txt?"));
  EXPECT_EQ(folder.read("kept.txt").find("50.000000"), std::string::npos);
}

// Without its map a file opens nothing, or, with one located, opens changed.
TEST_F(FilesWindowTest, AFileOpensOnlyWithItsMapWhichMayBeLocated) {
  const std::string head = "1,0,1,1,1\n2,0,2,0,0\n", tail = "\n100,10,100\n0,0,0\n2,1\n5,7,6,0,0\n";
  const std::string place = folder.write("place.txt", head + "gone.tga" + tail);
  script.answerFile(place); // the locate question: Cancel
  menu(kOpenData);
  EXPECT_EQ(
      std::tuple(script.notices.back().message, script.questions.back(), window->currentDataFile(),
                 last(1)),
      std::tuple("Load DAT Data6 ERROR\n" + folder.file("gone.tga") + "\nUnable to LOAD File !!",
                 "Hill Strew: Locate the height field?", "", std::tuple(0, 0.0, 0.0)));
  script.answerFile(place);
  script.answerQuestion(1); // "Save changes?": Discard, then Locate...
  script.answerQuestion(0);
  script.answerFile(folder.write("found.tga", targaBytes(60, 50, 7)));
  menu(kOpenData);
  EXPECT_EQ(std::tuple(scene().document().mapWidth(), last(1), window->windowTitle(), scene().zoom),
            std::tuple(60, std::tuple(1, 5.0, 6.0), QString("place.txt* - Hill Strew"),
                       fitZoom(60, 50, scene().viewWidth, scene().viewHeight)));
  menu(kSave); // names found.tga relative, as the copy below shows

  // Copied whole, with its map; a missing absolute name falls back beside it.
  TestFolder moved;
  moved.write("found.tga", targaBytes(30, 20, 7));
  moved.write("place.txt", folder.read("place.txt"));
  moved.write("old.txt", head + folder.file("gone/found.tga") + tail);
  for (const char *name : {"place.txt", "old.txt", "scene.inc"}) {
    script.answerFile(moved.file(name));
    menu(name[0] == 's' ? kSaveInclude : kOpenData);
    EXPECT_EQ(scene().document().hfFileName(), moved.file("found.tga")) << name;
  }
  EXPECT_EQ(script.notices.back().message,
            nameReadFrom(folder.file("gone/found.tga"), moved.file("old.txt")).notice);
  EXPECT_NE(moved.read("scene.inc").find("HS_Hf=\"" + moved.file("found.tga")), std::string::npos);
}

} // namespace
} // namespace hs
