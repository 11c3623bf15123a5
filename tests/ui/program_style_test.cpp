// The program's style: everything Fusion draws, drawn the same, without the
// image-format plugins that Fusion's own reading of its pictures opens.
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QMenuBar>
#include <QStyleFactory>
#include <QtTest>
#include <memory>

#include "ui/frm_main.h"
#include "ui/program_style.h"

using orbisca::ui::ProgramStyle;

namespace {

// The image-format plugins this process has loaded, from its memory map.
QStringList LoadedImagePlugins() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  if (!maps.open(QIODevice::ReadOnly)) return {QStringLiteral("(no /proc/self/maps)")};
  QStringList plugins;
  for (const QByteArray& line : maps.readAll().split('\n')) {
    if (line.contains("/imageformats/")) plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
  }
  plugins.removeDuplicates();
  return plugins;
}

QImage Drawn(QWidget& widget, QStyle* style) {
  widget.setStyle(style);
  QImage image(widget.size(), QImage::Format_ARGB32);
  image.fill(Qt::white);
  widget.render(&image);
  return image;
}

}  // namespace

class ProgramStyleTest : public QObject {
  Q_OBJECT

 private slots:
  // First, while nothing else in this process has read a picture: the form
  // built, shown and painted in full opens no image-format plugin.
  void formPaintsWithoutImagePlugins() {
    QApplication::setStyle(new ProgramStyle);
    auto form = std::make_unique<orbisca::ui::FrmMain>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    QVERIFY(!form->grab().isNull());
    QCOMPARE(LoadedImagePlugins(), QStringList());
  }

  void groupBoxFrameAsFusion_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("checkable");
    QTest::addColumn<int>("points");
    QTest::newRow("caption") << QStringLiteral("Zone") << false << 9;
    QTest::newRow("no caption") << QString() << false << 9;
    QTest::newRow("check box, no caption") << QString() << true << 9;
    QTest::newRow("caption, large font") << QStringLiteral("Latitude") << false << 20;
  }

  void groupBoxFrameAsFusion() {
    QFETCH(QString, caption);
    QFETCH(bool, checkable);
    QFETCH(int, points);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle ours;
    QGroupBox box(caption);
    box.setCheckable(checkable);
    QFont font = box.font();
    font.setPointSize(points);
    box.setFont(font);
    box.resize(160, 110);
    const QImage expected = Drawn(box, fusion.get());
    QCOMPARE(Drawn(box, &ours), expected);
  }

  // Made only when drawn, the menu bar's overflow arrow is Fusion's own.
  void overflowArrowAsFusion_data() {
    QTest::addColumn<int>("which");
    QTest::newRow("menu bar, tool bar") << int{QStyle::SP_ToolBarHorizontalExtensionButton};
    QTest::newRow("vertical tool bar") << int{QStyle::SP_ToolBarVerticalExtensionButton};
  }

  void overflowArrowAsFusion() {
    QFETCH(int, which);
    const auto icon = static_cast<QStyle::StandardPixmap>(which);
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ProgramStyle ours;
    const QIcon expected = fusion->standardIcon(icon, nullptr, nullptr);
    const QIcon deferred = ours.standardIcon(icon, nullptr, nullptr);
    QVERIFY(!deferred.isNull());
    QCOMPARE(deferred.availableSizes(), expected.availableSizes());
    for (int side : {8, 16, 32}) {
      QCOMPARE(deferred.actualSize(QSize(side, side)), expected.actualSize(QSize(side, side)));
      QCOMPARE(deferred.pixmap(side).toImage(), expected.pixmap(side).toImage());
    }
  }
};

QTEST_MAIN(ProgramStyleTest)
#include "program_style_test.moc"
