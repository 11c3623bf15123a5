// "Proceed" in process: from the click to the results window's first paint,
// against a bare button that opens a bare QMainWindow, measured the same way.
// Both take turns, one unmeasured warm-up each; prints medians and the ratio.
//
// Usage: QT_QPA_PLATFORM=offscreen proceed_bench [runs (default 15)]

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/frm_display.h"
#include "ui/frm_main.h"

using namespace orbisca::ui;

namespace {

// Notes the time of the first paint of a top-level window named `name`.
class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(const char* name) : name_(name) {}
  void Start() { timer_.start(); elapsedNs_ = -1; }
  bool Done() const { return elapsedNs_ >= 0; }
  double Ms() const { return static_cast<double>(elapsedNs_) / 1e6; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (elapsedNs_ < 0 && event->type() == QEvent::Paint && object->objectName() == QLatin1String(name_))
      elapsedNs_ = timer_.nsecsElapsed();
    return false;
  }

 private:
  const char* name_;
  QElapsedTimer timer_;
  qint64 elapsedNs_ = -1;
};

template <typename T>
T* Child(QObject& parent, const char* name) {
  T* child = parent.findChild<T*>(QLatin1String(name));
  if (!child) {
    std::fprintf(stderr, "proceed_bench: no %s\n", name);
    std::exit(1);
  }
  return child;
}

void Fill(FrmMain& form) {
  Child<QLineEdit>(form, "txtName")->setText(QStringLiteral("ADA LOVELACE"));
  Child<QLineEdit>(form, "txtLonD")->setText(QStringLiteral("73"));
  Child<QLineEdit>(form, "txtLonM")->setText(QStringLiteral("51"));
  Child<QLineEdit>(form, "txtLatD")->setText(QStringLiteral("18"));
  Child<QLineEdit>(form, "txtLatM")->setText(QStringLiteral("31"));
  Child<QComboBox>(form, "cboMonth")->setCurrentIndex(5);
  Child<QComboBox>(form, "cboYear")->setCurrentText(QStringLiteral("1976"));
  Child<QComboBox>(form, "cmbTimeZone")->setCurrentIndex(34);
}

void Drain(const FirstPaint& paint) {
  while (!paint.Done()) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double RealProceed(FirstPaint& paint) {
  FrmMain form;
  form.show();
  Fill(form);
  QCoreApplication::processEvents();
  QPushButton* proceed = Child<QPushButton>(form, "cmdRashi");
  paint.Start();
  QTest::mouseClick(proceed, Qt::LeftButton);
  Drain(paint);
  const double ms = paint.Ms();
  FrmDisplay* display = form.Display();
  if (!display) {
    std::fprintf(stderr, "proceed_bench: Proceed opened no results window\n");
    std::exit(1);
  }
  static bool told = false;
  if (!told) std::printf("results window %dx%d\n", display->width(), display->height());
  told = true;
  return ms;  // the form deletes its results window
}

double BareProceed(FirstPaint& paint) {
  QPushButton button(QStringLiteral("Proceed"));
  button.show();
  QMainWindow* opened = nullptr;
  QObject::connect(&button, &QPushButton::clicked, [&opened] {
    opened = new QMainWindow;
    opened->setObjectName(QStringLiteral("bareResults"));
    opened->setCentralWidget(new QLabel(QStringLiteral("Results")));
    opened->show();
  });
  QCoreApplication::processEvents();
  paint.Start();
  QTest::mouseClick(&button, Qt::LeftButton);
  Drain(paint);
  delete opened;
  return paint.Ms();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  FirstPaint realPaint("frmDisplay");
  FirstPaint barePaint("bareResults");
  app.installEventFilter(&realPaint);
  app.installEventFilter(&barePaint);
  RealProceed(realPaint);  // warm-up: fonts, caches, plug-ins
  BareProceed(barePaint);
  std::vector<double> real, bare;
  for (int i = 0; i < runs; ++i) {
    real.push_back(RealProceed(realPaint));
    bare.push_back(BareProceed(barePaint));
  }
  const double r = Median(real), b = Median(bare);
  std::printf("Proceed to first paint, median of %d: orbisca %.2f ms, bare button %.2f ms, ratio %.1fx\n", runs, r,
              b, r / b);
  return 0;
}
