// The floor of the start-up benchmark: a Qt Widgets program that shows one empty window.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(320, 200);
  window.show();
  return QApplication::exec();
}
