// "Proceed" in process: from the click to the results window's first paint,
// against a bare button that opens a bare QMainWindow, measured the same way.
// Both take turns, one unmeasured warm-up each; prints medians and the ratio,
// in wall time and in the thread's CPU time (steadier on a loaded machine),
// and the first Proceed of the process apart (fonts and styles still cold).
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
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "ui/frm_display.h"
#include "ui/frm_main.h"

using namespace orbisca::ui;

namespace {

// Notes the time of the first paint of a top-level window named `name`.
double ThreadCpuMs() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Wall and CPU milliseconds of one Proceed.
struct Times {
  double wall;
  double cpu;
};

class FirstPaint final : public QObject {
 public:
  explicit FirstPaint(const char* name) : name_(name) {}
  void Start() {
    timer_.start();
    elapsedNs_ = -1;
    cpuStart_ = ThreadCpuMs();
  }
  bool Done() const { return elapsedNs_ >= 0; }
  Times Elapsed() const { return {static_cast<double>(elapsedNs_) / 1e6, cpuMs_}; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (elapsedNs_ < 0 && event->type() == QEvent::Paint && object->objectName() == QLatin1String(name_)) {
      elapsedNs_ = timer_.nsecsElapsed();
      cpuMs_ = ThreadCpuMs() - cpuStart_;
    }
    return false;
  }

 private:
  const char* name_;
  QElapsedTimer timer_;
  qint64 elapsedNs_ = -1;
  double cpuStart_ = 0;
  double cpuMs_ = 0;
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

Times RealProceed(FirstPaint& paint) {
  FrmMain form;
  form.show();
  Fill(form);
  QCoreApplication::processEvents();
  QPushButton* proceed = Child<QPushButton>(form, "cmdRashi");
  paint.Start();
  QTest::mouseClick(proceed, Qt::LeftButton);
  Drain(paint);
  const Times times = paint.Elapsed();
  FrmDisplay* display = form.Display();
  if (!display) {
    std::fprintf(stderr, "proceed_bench: Proceed opened no results window\n");
    std::exit(1);
  }
  static bool told = false;
  if (!told) std::printf("results window %dx%d\n", display->width(), display->height());
  told = true;
  return times;  // the form deletes its results window
}

Times BareProceed(FirstPaint& paint) {
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
  return paint.Elapsed();
}

double Median(const std::vector<Times>& runs, double Times::*field) {
  std::vector<double> v;
  for (const Times& t : runs) v.push_back(t.*field);
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
  const Times realCold = RealProceed(realPaint);  // warm-up: fonts, caches, plug-ins
  const Times bareCold = BareProceed(barePaint);
  std::printf("first Proceed of the process: orbisca %.2f ms (CPU %.2f ms), bare button %.2f ms (CPU %.2f ms)\n",
              realCold.wall, realCold.cpu, bareCold.wall, bareCold.cpu);
  std::vector<Times> real, bare;
  for (int i = 0; i < runs; ++i) {
    real.push_back(RealProceed(realPaint));
    bare.push_back(BareProceed(barePaint));
  }
  for (const auto& [what, field] : {std::pair{"wall", &Times::wall}, std::pair{"CPU", &Times::cpu}}) {
    const double r = Median(real, field), b = Median(bare, field);
    std::printf("Proceed to first paint, %s time, median of %d: orbisca %.2f ms, bare button %.2f ms, ratio %.1fx\n",
                what, runs, r, b, r / b);
  }
  return 0;
}
