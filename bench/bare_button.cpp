// The Proceed anchor: a button that opens a second bare window and hides its
// own, the least a Qt Widgets program does between a press and a new window.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow form;
  form.setWindowTitle(QStringLiteral("Bare form"));
  auto* proceed = new QPushButton(QStringLiteral("Proceed"));
  form.setCentralWidget(proceed);
  QObject::connect(proceed, &QPushButton::clicked, &form, [&form] {
    auto* results = new QMainWindow;
    results->setAttribute(Qt::WA_DeleteOnClose);
    results->setWindowTitle(QStringLiteral("Bare results"));
    results->setCentralWidget(new QLabel(QStringLiteral("A bare Qt window")));
    form.hide();
    results->show();
  });
  form.show();
  proceed->setFocus();
  return app.exec();
}
