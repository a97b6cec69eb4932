// The peer of the start-up benchmark: a bare Qt Widgets program showing one
// window of the main frame's size with a six-page QTabWidget; like vidodez it
// ends at its first paint when VIDODEZ_QUIT_WHEN_SHOWN=1.

#include <QApplication>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWidget>

#include "gui/window/quit_when_painted.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  auto* layout = new QVBoxLayout(&window);
  auto* tabs = new QTabWidget(&window);
  for (int i = 0; i < 6; ++i) tabs->addTab(new QWidget(tabs), QStringLiteral("Page %1").arg(i));
  layout->addWidget(tabs);
  window.resize(739, 763);
  vidodez::gui::QuitWhenPainted quit_when_painted;
  quit_when_painted.InstallIfAsked(app);
  window.show();
  return QApplication::exec();
}
