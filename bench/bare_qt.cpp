// The floor of the start-up benchmark: a Qt Widgets program that shows one empty window. With
// "--list" the window holds a list of three rows and a line of text, the least a player's
// window shows: that start pays the font set-up and the item view's own (an item view asks
// for the desktop's accessibility service as it is made), which the empty window never does.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <QWidget>
#include <cstring>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(320, 200);
  if (argc > 1 && std::strcmp(argv[1], "--list") == 0) {
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("Artist - Title")));
    auto* list = new QListWidget;
    list->addItems({QStringLiteral("First"), QStringLiteral("Second"), QStringLiteral("Third")});
    layout->addWidget(list);
  }
  window.show();
  return QApplication::exec();
}
