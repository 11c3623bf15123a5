// Every menu item and label that leads to the maker's web site, in every
// window, opens its page through the URL seam; "&About Software" shows the
// About box; the switched-off "Make Money Online" cannot be chosen; the
// online help prefers the user guide shipped beside the program.
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "report/site.h"
#include "ui/frm_about.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/frm_save.h"
#include "ui/seams.h"
#include "ui/web_pages.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// The windows the links live in, made fresh for each row.
std::unique_ptr<QWidget> MakeWindow(const QString& window) {
  if (window == "frmMain") return std::make_unique<FrmMain>();
  if (window == "frmDisplay") return std::make_unique<FrmDisplay>();
  if (window == "frmSave") return std::make_unique<FrmSave>(AspectTexts{});
  return std::make_unique<FrmAbout>();
}

// Chooses a menu item, or clicks a label, by its object name.
bool Activate(QWidget& window, const QString& control) {
  if (auto* action = window.findChild<QAction*>(control)) {
    action->trigger();
    return true;
  }
  if (auto* label = window.findChild<QLabel*>(control)) {
    QTest::mouseClick(label, Qt::LeftButton);
    return true;
  }
  return false;
}

}  // namespace

class WebLinksTest : public QObject {
  Q_OBJECT

 private slots:
  void controlOpensItsPage_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("page");
    for (const char* window : {"frmMain", "frmDisplay"}) {
      QTest::addRow("%s mnuOnline", window) << window << "mnuOnline" << int(WebPage::OnlineHelpPage);
      QTest::addRow("%s mnuVisit", window) << window << "mnuVisit" << int(WebPage::HomePage);
      QTest::addRow("%s mnuUpdate", window) << window << "mnuUpdate" << int(WebPage::DownloadPage);
      QTest::addRow("%s mnuDonate", window) << window << "mnuDonate" << int(WebPage::DonatePage);
      QTest::addRow("%s lblFullBrand", window) << window << "lblFullBrand" << int(WebPage::FullBrandPage);
      QTest::addRow("%s lblCobrand", window) << window << "lblCobrand" << int(WebPage::CoBrandPage);
      QTest::addRow("%s Label61", window) << window << "Label61" << int(WebPage::HomePage);
    }
    QTest::newRow("frmSave Label1") << "frmSave" << "Label1" << int(WebPage::HomePage);
    QTest::newRow("frmSave Label14") << "frmSave" << "Label14" << int(WebPage::HomePage);
    QTest::newRow("frmSave Label2") << "frmSave" << "Label2" << int(WebPage::FullBrandPage);
    QTest::newRow("frmAbout lblHomePage") << "frmAbout" << "lblHomePage" << int(WebPage::HomePage);
    QTest::newRow("frmAbout lblCoBrand") << "frmAbout" << "lblCoBrand" << int(WebPage::CoBrandPage);
  }
  void controlOpensItsPage() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(int, page);
    RecordingUrls urls;
    RecordingMessages messages;
    ScopedUrlSeam urlGuard(&urls);
    ScopedMessageSeam messageGuard(&messages);
    std::unique_ptr<QWidget> w = MakeWindow(window);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY2(Activate(*w, control), qPrintable(control));
    QCOMPARE(urls.opened, QList<QUrl>{WebPageUrl(WebPage(page))});
    QVERIFY(messages.shown.isEmpty());
    QVERIFY(w->isVisible());  // the calling window is unchanged
  }

  void makeMoneyIsSwitchedOff_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("frmMain") << "frmMain";
    QTest::newRow("frmDisplay") << "frmDisplay";
  }
  void makeMoneyIsSwitchedOff() {
    QFETCH(QString, window);
    RecordingUrls urls;
    ScopedUrlSeam guard(&urls);
    std::unique_ptr<QWidget> w = MakeWindow(window);
    QAction* money = w->findChild<QAction*>("mkmoney");
    QVERIFY(money);
    QCOMPARE(money->text(), QStringLiteral("Make Money &Online"));
    QVERIFY(!money->isEnabled() || !money->isVisible());
    money->trigger();
    QVERIFY(urls.opened.isEmpty());
  }

  // "&About Software" shows the one About box modally, twice in a row from
  // each window; "OK" returns to the window.
  void aboutMenuShowsTheAboutBox() {
    QWidget* first = nullptr;
    for (const QString& window : {QStringLiteral("frmMain"), QStringLiteral("frmDisplay")}) {
      std::unique_ptr<QWidget> w = MakeWindow(window);
      w->show();
      for (int round = 0; round < 2; ++round) {
        QWidget* seen = nullptr;
        QTimer::singleShot(0, [&] {
          seen = QApplication::activeModalWidget();
          if (auto* ok = seen ? seen->findChild<QPushButton*>("cmdOK") : nullptr) ok->click();
          else if (seen) seen->close();
        });
        QVERIFY(Activate(*w, QStringLiteral("mnuAbout")));
        QVERIFY2(qobject_cast<FrmAbout*>(seen), qPrintable(window));
        if (!first) first = seen;
        QCOMPARE(seen, first);
        QVERIFY(!seen->isVisible());
        QVERIFY(w->isVisible());
      }
    }
  }

  // The help page: the user guide beside the program, else the site's page.
  void onlineHelpPrefersTheShippedGuide() {
    const QString dir = QCoreApplication::applicationDirPath();
    QVERIFY2(!QFile::exists(dir + "/help/index.html"), "a help folder is already beside the test program");
    QCOMPARE(WebPageUrl(WebPage::OnlineHelpPage),
             QUrl(QString::fromStdString(std::string(SiteBaseAddress())) + QStringLiteral("help/")));

    QVERIFY(QDir(dir).mkpath(QStringLiteral("help")));
    {
      QFile guide(dir + "/help/index.html");
      QVERIFY(guide.open(QIODevice::WriteOnly));
      guide.write("<html></html>");
    }
    const QUrl local = WebPageUrl(WebPage::OnlineHelpPage);
    const QString expected = QFileInfo(dir + "/help/index.html").canonicalFilePath();
    QDir(dir + "/help").removeRecursively();
    QVERIFY(local.isLocalFile());
    QCOMPARE(local.toLocalFile(), expected);
  }

  // Every page lies on the configured site and the six are distinct.
  void pagesLieOnTheSite() {
    const QString base = QString::fromStdString(std::string(SiteBaseAddress()));
    QSet<QUrl> seen;
    for (WebPage page : {WebPage::HomePage, WebPage::OnlineHelpPage, WebPage::DownloadPage, WebPage::DonatePage,
                         WebPage::FullBrandPage, WebPage::CoBrandPage}) {
      const QUrl url = WebPageUrl(page);
      QVERIFY(url.isValid());
      if (page != WebPage::OnlineHelpPage || !url.isLocalFile()) QVERIFY2(url.toString().startsWith(base), qPrintable(url.toString()));
      seen.insert(url);
    }
    QCOMPARE(seen.size(), 6);
    QCOMPARE(HomePageAddress(), base);
  }

  // The real opener runs xdg-open; when it is missing or fails, a message
  // shows the address so that it can be copied.
  void aBrowserThatCannotOpenIsSaid_data() {
    QTest::addColumn<QString>("script");  // the xdg-open on the PATH; "" for none
    QTest::addColumn<bool>("said");
    QTest::newRow("no xdg-open") << "" << true;
    QTest::newRow("xdg-open fails") << "#!/bin/sh\nexit 3\n" << true;
    QTest::newRow("xdg-open opens it") << "#!/bin/sh\nexit 0\n" << false;
  }
  void aBrowserThatCannotOpenIsSaid() {
    QFETCH(QString, script);
    QFETCH(bool, said);
    QTemporaryDir bin;
    if (!script.isEmpty()) {
      QFile opener(bin.filePath(QStringLiteral("xdg-open")));
      QVERIFY(opener.open(QIODevice::WriteOnly));
      opener.write(script.toUtf8());
      opener.close();
      opener.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    RecordingMessages messages;
    ScopedMessageSeam guard(&messages);
    const QUrl url(QStringLiteral("https://example.org/a?b=c"));
    Urls().Open(url);
    qputenv("PATH", path);
    if (said) {
      QTRY_COMPARE(messages.shown.size(), 1);
      QCOMPARE(messages.shown.front().text,
               QStringLiteral("No web browser could be opened. The address is:\nhttps://example.org/a?b=c"));
    } else {
      QTest::qWait(500);  // time for the script to end
      QVERIFY(messages.shown.isEmpty());
    }
  }
};

QTEST_MAIN(WebLinksTest)
#include "web_links_test.moc"
