#pragma once

#include "core/Document.h"
#include "core/ProgramValues.h"
#include "gui/vDialog.h"
#include "support/ScriptedInteraction.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

namespace hs::test {

inline void type(vDialog &d, int id, const char *text) {
  auto *entry = qobject_cast<QLineEdit *>(d.control(id));
  ASSERT_NE(entry, nullptr) << id;
  entry->clear();
  QTest::keyClicks(entry, text);
}

inline void click(vDialog &d, int id) {
  QWidget *w = d.control(id);
  ASSERT_NE(w, nullptr) << id;
  ASSERT_TRUE(w->isVisible()) << id;
  QTest::mouseClick(w, Qt::LeftButton);
}

struct DialogFixture : ::testing::Test {
  void SetUp() override {
    main.setGeometry(100, 50, 500, 300);
    main.show();
    QApplication::processEvents();
  }

  QWidget main;
  ProgramValues values;
  Document document;
  ScriptedInteraction stand;
};

} // namespace hs::test
