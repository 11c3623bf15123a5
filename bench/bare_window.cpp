// The start-up anchor: the least a Qt Widgets program does to show a main
// window with a label.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare window"));
  window.setCentralWidget(new QLabel(QStringLiteral("A bare Qt window")));
  window.show();
  return app.exec();
}
