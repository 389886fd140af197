#include <QApplication>
#include <QMainWindow>

int main(int argc, char **argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("HillStrew");
  QMainWindow window;
  window.setWindowTitle("Hill Strew");
  window.resize(500, 300);
  window.show();
  return QApplication::exec();
}
