// The main of every widget test program: a QApplication on the offscreen
// platform (unless another is asked for), then the tests.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // What the program keeps in QSettings goes to a store of the tests' own,
  // empty at the start.
  QStandardPaths::setTestModeEnabled(true);
  QSettings("Hillstrew", "Hillstrew").clear();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
