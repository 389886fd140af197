#pragma once

#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/PlaceTables.h"
#include "core/Scene.h"
#include "support/ScriptedInteraction.h"
#include "terrain/Palette.h"

#include "support/TestFiles.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace hs {

// A main window on its own program values, with notices, choosers and modal
// dialogs answered by the script.
class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    palette() = defaultPalette();
    window = std::make_unique<PlaceCmdWindow>("Hill Strew", 700, 600, values);
    window->show();
    QApplication::processEvents();
  }
  void TearDown() override {
    window.reset();
    palette() = defaultPalette();
  }

  Scene &scene() { return window->scene(); }
  PlaceCanvasPane *pane() { return window->mapPane(); }
  QWidget *surface() { return pane()->surface(); }

  // A map of w x h pixels, loaded with "Heightfeild" as a user would.
  void loadTarga(int w, int h, const std::function<int(int, int)> &index) {
    script.answerFile(folder.write("map.tga", targaBytes(w, h, index)));
    menu(kHeightField);
  }
  void loadFlatMap(int level = 100) {
    loadTarga(400, 400, [level](int, int) { return level; });
  }

  void menu(int id) { window->menuAction(id)->trigger(); }
  void click(int id) { QTest::mouseClick(window->control(id), Qt::LeftButton); }
  int toggle(int id) { return window->getValue(id); }
  std::string status() { return window->getString(kStatusLabel); }
  std::string readout() { return window->getString(kReadoutLabel); }

  // Mouse events on the map, as the platform delivers them.
  void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local(x, y);
    QMouseEvent e(type, local, surface()->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(surface(), &e);
  }
  void press(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, x, y, b, b);
  }
  void release(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
  }
  void moveTo(int x, int y, Qt::MouseButtons held = Qt::NoButton) {
    mouse(QEvent::MouseMove, x, y, Qt::NoButton, held);
  }
  void clickMap(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    press(x, y, b);
    release(x, y, b);
  }
  void dragMap(int x0, int y0, int x1, int y1, Qt::MouseButton b = Qt::LeftButton) {
    press(x0, y0, b);
    moveTo((x0 + x1) / 2, (y0 + y1) / 2, b);
    moveTo(x1, y1, b);
    release(x1, y1, b);
  }

  int count(int type = 0) { return scene().objects[static_cast<std::size_t>(type)].count(); }
  ScItem object(int type, int index) {
    return scene().objects[static_cast<std::size_t>(type)][index];
  }

  TestFolder folder;
  ScriptedInteraction script;
  ProgramValues values;
  std::unique_ptr<PlaceCmdWindow> window;
};

} // namespace hs
