// Where dialogs first appear, as a function of the window and screen geometry
// (the offscreen platform draws no frames, so the widgets cannot show it).
#include "gui/vDialog.h"

#include <gtest/gtest.h>

namespace hs {
namespace {

TEST(DialogPlacement, TheWholeFrameStaysOnTheScreen) {
  const QRect screen(0, 0, 1280, 1024);
  const QSize frame(300, 200);
  struct Case {
    const char *what;
    QRect main;
    QPoint expected;
  };
  const Case cases[] = {
      {"room enough", QRect(100, 50, 500, 300), QPoint(140, 50)},
      {"maximised at y -1", QRect(-1, -1, 1282, 1026), QPoint(39, 0)},
      {"past the right and bottom edges", QRect(1200, 900, 500, 300), QPoint(980, 824)},
      {"above and left of the screen", QRect(-400, -300, 500, 300), QPoint(0, 0)},
  };
  for (const Case &c : cases)
    EXPECT_EQ(dialogFramePosition(c.main, QPoint(40, 0), frame, screen), c.expected) << c.what;
  // A second screen to the right counts from its own corner.
  EXPECT_EQ(dialogFramePosition(QRect(1280, -1, 800, 600), QPoint(40, 0), frame,
                                QRect(1280, 0, 1920, 1080)),
            QPoint(1320, 0));
  // Larger than the screen: the title bar stays reachable.
  EXPECT_EQ(dialogFramePosition(QRect(50, 50, 500, 300), QPoint(40, 0), QSize(2000, 1500), screen),
            QPoint(0, 0));
}

} // namespace
} // namespace hs
