// The About box: its contents, its two links, and that "&About Software"
// twice shows the same modal box, closed by "OK".
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "ui/frm_about.h"
#include "ui/seams.h"
#include "ui/web_pages.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

class FrmAboutTest : public QObject {
  Q_OBJECT

 private slots:
  void showsTheDescriptionAndTitle() {
    ui::FrmAbout about;
    QCOMPARE(about.windowTitle(), kCaption);
    QCOMPARE(about.findChild<QLabel*>("Label2")->text(), kCaption);
    QCOMPARE(about.findChild<QLabel*>("Label1")->text(),
             QStringLiteral("Orbisca calculates the angular distance or aspects between different planets. "
                            "Each aspect is associated with different characteristics or attributes that are "
                            "reflected in an individual's personality. Know what aspects are present in your "
                            "natal chart with Orbisca software."));
    QCOMPARE(about.findChild<QLabel*>("lblHomePage")->text(),
             QStringLiteral("Click here to visit ") + HomePageAddress());
    QCOMPARE(about.findChild<QLabel*>("lblCoBrand")->text(), QStringLiteral("Click here for more details."));
    QVERIFY(!about.findChild<QLabel*>("Label3")->text().isEmpty());
    QCOMPARE(about.findChild<QPushButton*>("cmdOK")->text(), QStringLiteral("OK"));
    QCOMPARE(about.findChild<QFrame*>("Line1")->frameShape(), QFrame::HLine);
    const QLabel* icon = about.findChild<QLabel*>("picIcon");
    QVERIFY(icon);
    QVERIFY(!icon->pixmap().isNull());
    // The icon is drawn, not blank.
    const QImage image = icon->pixmap().toImage();
    QVERIFY(image.pixelColor(image.width() / 2, image.height() / 2).alpha() > 0);
  }

  // The About box shows the emblem that is installed as the program's icon:
  // the 48-pixel picture that rsvg-convert rendered from the one SVG drawing.
  void showsTheInstalledIcon() {
    const QString rendered = qEnvironmentVariable("ORBISCA_TEST_BINARY_DIR") + QStringLiteral("/data/icons/48.png");
    const QImage installed(rendered);
    QVERIFY2(!installed.isNull(), qPrintable(rendered));
    ui::FrmAbout about;
    const QImage shown = about.findChild<QLabel*>("picIcon")->pixmap().toImage();
    // A pixmap keeps its pixels premultiplied by their alpha: compare in that form.
    QCOMPARE(shown.convertToFormat(QImage::Format_ARGB32_Premultiplied),
             installed.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }

  void labelsOpenTheirPages_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("page");
    QTest::newRow("lblHomePage") << "lblHomePage" << int(WebPage::HomePage);
    QTest::newRow("lblCoBrand") << "lblCoBrand" << int(WebPage::CoBrandPage);
  }
  void labelsOpenTheirPages() {
    QFETCH(QString, label);
    QFETCH(int, page);
    RecordingUrls urls;
    ui::ScopedUrlSeam guard(&urls);
    ui::FrmAbout about;
    about.show();
    QLabel* target = about.findChild<QLabel*>(label);
    QTest::mouseClick(target, Qt::RightButton);
    QVERIFY(urls.opened.isEmpty());
    QTest::mouseClick(target, Qt::LeftButton);
    QCOMPARE(urls.opened, QList<QUrl>{WebPageUrl(WebPage(page))});
    QVERIFY(about.isVisible());
  }

  // Enter on OK closes the box as OK does; Escape closes it too.
  void keysCloseTheBox_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("result");
    QTest::newRow("Enter") << int(Qt::Key_Return) << int(QDialog::Accepted);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(QDialog::Accepted);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(QDialog::Rejected);
  }
  void keysCloseTheBox() {
    QFETCH(int, key);
    QFETCH(int, result);
    ui::FrmAbout about;
    QTimer::singleShot(0, [&] {
      auto* ok = about.findChild<QPushButton*>("cmdOK");
      ok->setFocus();
      QTest::keyClick(ok, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
      if (about.isVisible()) about.done(-1);  // the key did nothing
    });
    QCOMPARE(about.exec(), result);
  }

  void showAboutBoxTwiceShowsTheSameModalBox() {
    QWidget owner;
    owner.show();
    QList<QWidget*> seen;
    QList<bool> wasModal;
    for (int round = 0; round < 2; ++round) {
      QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        seen.append(modal);
        wasModal.append(modal && modal->isVisible() && modal->isModal());
        if (auto* ok = modal ? modal->findChild<QPushButton*>("cmdOK") : nullptr) {
          ok->click();
        } else if (modal) {
          modal->close();
        }
      });
      ShowAboutBox(&owner);  // returns only when the box is closed
      QCOMPARE(QApplication::activeModalWidget(), static_cast<QWidget*>(nullptr));
    }
    QCOMPARE(seen.size(), 2);
    QVERIFY(qobject_cast<ui::FrmAbout*>(seen[0]));
    QCOMPARE(seen[1], seen[0]);
    QCOMPARE(wasModal, (QList<bool>{true, true}));
    QVERIFY(!seen[0]->isVisible());
    QVERIFY(owner.isVisible());
  }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
