// "Online Help" opens the user guide that ships with the program, and a
// place's zone is found in the tz database. This test is run from where the
// window program runs, beside it in the build tree and from bin/ of an installed tree; it
// chooses the menu item and checks the address handed to the desktop against
// the guide named by ORBISCA_EXPECTED_HELP.
#include <QAction>
#include <QFileInfo>
#include <QtTest>

#include "places/zone_facts.h"
#include "ui/frm_main.h"
#include "ui/seams.h"

namespace {

class RecordingUrls final : public orbisca::ui::UrlSeam {
 public:
  void Open(const QUrl& url) override { opened.append(url); }
  QList<QUrl> opened;
};

}  // namespace

class HelpPageTest : public QObject {
  Q_OBJECT

 private slots:
  void onlineHelpOpensTheShippedGuide() {
    const QFileInfo expected(qEnvironmentVariable("ORBISCA_EXPECTED_HELP"));
    QVERIFY2(expected.isFile(), qPrintable("no guide at " + expected.filePath()));
    RecordingUrls urls;
    orbisca::ui::ScopedUrlSeam guard(&urls);
    orbisca::ui::FrmMain form;
    form.show();
    auto* online = form.findChild<QAction*>(QStringLiteral("mnuOnline"));
    QVERIFY(online);
    online->trigger();
    QCOMPARE(urls.opened, QList<QUrl>{QUrl::fromLocalFile(expected.canonicalFilePath())});
  }

  // As the window program looks a place's zone up.
  void findsTheZone() {
    const orbisca::places::ZoneLookup lookup =
        orbisca::places::LookUpZone("America/New_York", orbisca::places::LocalDateTime{1976, 7, 4, 10, 15, 0});
    QVERIFY2(lookup.answer.has_value(), lookup.error.c_str());
    QCOMPARE(lookup.answer->first.offsetSeconds, -4 * 3600);
  }
};

QTEST_MAIN(HelpPageTest)
#include "help_page_test.moc"
