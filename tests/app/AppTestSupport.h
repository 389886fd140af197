#pragma once

#include "app/PlaceCanvasPane.h"
#include "app/PlaceCmdWindow.h"
#include "app/PlaceTables.h"
#include "core/Scene.h"
#include "support/ScriptedInteraction.h"
#include "support/TestFiles.h"
#include "terrain/Palette.h"

#include <QAction>
#include <QApplication>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

namespace hs {

// A main window on a flat 400 x 400 map at height 100, the user scripted.
class WindowTest : public ::testing::Test {
public:
  void SetUp() override {
    QSettings("Hillstrew", "Hillstrew").clear(); // no recent files, no remembered window
    palette() = defaultPalette();
    script.answerQuestionsUsually(1); // "Save changes?": Discard
    window = std::make_unique<PlaceCmdWindow>("Hill Strew", 700, 600, document, values);
    window->show();
    QApplication::processEvents();
    loadTarga(targaBytes(400, 400, 100));
  }

  Scene &scene() { return window->scene(); }
  QWidget *surface() { return window->mapPane()->surface(); }

  void loadTarga(const std::string &bytes, const std::string &name = "map.tga") {
    script.answerFile(folder.write(name, bytes));
    menu(kHeightField);
  }

  void menu(int id) { window->menuAction(id)->trigger(); }
  void click(int id) { QTest::mouseClick(window->control(id), Qt::LeftButton); }
  int toggle(int id) { return window->getValue(id); }
  std::string status() { return window->getString(kStatusLabel); }
  std::vector<std::string> messages() {
    std::vector<std::string> out;
    for (const ScriptedInteraction::Notice &n : script.notices)
      out.push_back(n.message);
    return out;
  }
  void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(surface(), static_cast<Qt::Key>(k), modifiers);
    QApplication::processEvents();
  }

  void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button, Qt::MouseButtons held) {
    const QPointF local(x, y);
    QMouseEvent e(type, local, surface()->mapToGlobal(local), button, held, Qt::NoModifier);
    QApplication::sendEvent(surface(), &e);
  }
  void moveTo(int x, int y, Qt::MouseButtons b = {}) { mouse(QEvent::MouseMove, x, y, {}, b); }
  void clickMap(int x, int y, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, x, y, b, b);
    mouse(QEvent::MouseButtonRelease, x, y, b, Qt::NoButton);
  }
  void dragMap(int x0, int y0, int x1, int y1, Qt::MouseButton b = Qt::LeftButton) {
    mouse(QEvent::MouseButtonPress, x0, y0, b, b);
    moveTo((x0 + x1) / 2, (y0 + y1) / 2, b);
    moveTo(x1, y1, b);
    mouse(QEvent::MouseButtonRelease, x1, y1, b, Qt::NoButton);
  }

  // The count of a type's objects and where the last one stands (x, z).
  std::tuple<int, double, double> last(int type = 0) {
    const ScData &list = scene().document().objects()[static_cast<std::size_t>(type)];
    const ScItem item = list.count() > 0 ? list[list.count() - 1] : ScItem{};
    return {list.count(), item.x, item.z};
  }

  TestFolder folder;
  ScriptedInteraction script;
  ProgramValues values;
  Document document;
  std::unique_ptr<PlaceCmdWindow> window;
};

} // namespace hs
