// The City box's completion from the atlas and the zone it sets, over the
// fixture atlas (tests/places/fixture). The offsets come from the tz database;
// the rows they map to are read from the zone list's own offsets.

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTimeZone>
#include <QUrlQuery>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "run/time_zones.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/place_completion.h"
#include "ui/zone_from_place.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

template <class T>
T* Child(QWidget& parent, const QString& name) {
  T* child = parent.findChild<T*>(name);
  if (!child) qFatal("no child %s", qPrintable(name));
  return child;
}

int Row(std::string_view text) {
  for (int i = 0; i < kTimeZoneCount; ++i) {
    if (TimeZoneTable[static_cast<std::size_t>(i)].text == text) return i;
  }
  qFatal("no zone row %s", std::string(text).c_str());
}

const places::Atlas& Fixture() {
  static const places::AtlasLoad load = places::Atlas::Load(places::AtlasFilesIn(ORBISCA_PLACES_FIXTURE));
  return *load.atlas;
}

}  // namespace

class PlaceCompletionTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { qputenv("ORBISCA_ATLAS_DIR", ORBISCA_PLACES_FIXTURE); }

  void zoneSetting_data() {
    QTest::addColumn<QString>("place");
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<int>("row");  // -1: left as it was
    QTest::addColumn<int>("dst");  // -1: left as it was, else 0 or 1
    QTest::addColumn<QString>("note");
    const auto at = [](int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi)); };
    // northamerica: US rules 1976, daylight saving from Apr 25 to Oct 31.
    QTest::newRow("New York, summer") << "New York" << at(1976, 7, 4, 10, 15) << Row("Eastern Standard Time,EST,-5.0") << 1
        << "Zone and daylight saving set from America/New_York on 1976-07-04 10:15: EDT, UTC\u22124";
    QTest::newRow("New York, winter") << "New York" << at(1976, 1, 4, 10, 15) << Row("Eastern Standard Time,EST,-5.0") << 0
        << "Zone and daylight saving set from America/New_York on 1976-01-04 10:15: EST, UTC\u22125";
    // asia: Kolkata 5:30 with an hour of war time, 1942-45: India's row and the box.
    QTest::newRow("Kolkata at war") << "Kolkata" << at(1943, 6, 1, 12, 0) << Row("Indian Time, IST, +5.3") << 1
        << "Zone and daylight saving set from Asia/Kolkata on 1943-06-01 12:00: +0630, UTC+6:30";
    // europe: double summer time is two hours ahead; the box adds one, so its own row.
    QTest::newRow("London, double summer time") << "London, England" << at(1944, 6, 6, 12, 0)
        << Row("British Double Summer Time,BDST,+2.0") << 0
        << "Zone and daylight saving set from Europe/London on 1944-06-06 12:00: BDST, UTC+2";
    // asia: Yangon 6:30 standard (GeoNames names it by its old link, Asia/Rangoon).
    QTest::newRow("Yangon") << "Yangon" << at(2000, 1, 1, 0, 0) << Row("North Sumatra Time,NST,+6.5") << 0
        << "Zone and daylight saving set from Asia/Rangoon on 2000-01-01 00:00: +0630, UTC+6:30";
    // asia: Kathmandu 5:45 since 1986; no row carries it: the atlas's entry.
    QTest::newRow("Kathmandu") << "Kathmandu" << at(2000, 1, 1, 0, 0) << -1 << 0
        << "Zone and daylight saving set from Asia/Kathmandu on 2000-01-01 00:00: +0545, UTC+5:45. No zone in the "
           "list has UTC+5:45: the zone is \u201CFrom the atlas: UTC+5:45 (Asia/Kathmandu)\u201D.";
    // asia: Kathmandu 5:41:16 LMT until 1920; its own longitude 85.3206 E × 240 s/° = 20,477 s.
    QTest::newRow("Kathmandu, local mean time") << "Kathmandu" << at(1910, 1, 1, 0, 0) << -1 << 0
        << "Zone and daylight saving set from Asia/Kathmandu on 1910-01-01 00:00: LMT, UTC+5:41:16. No zone in the "
           "list has UTC+5:41:16: the zone is \u201CFrom the atlas: UTC+5:41 (Asia/Kathmandu)\u201D, rounded to the "
           "minute. Before standard time, Asia/Kathmandu gives the local mean time of its main city, UTC+5:41:16; "
           "the mean time of Kathmandu itself (longitude \u00F7 15) is UTC+5:41:17.";
    QTest::newRow("skipped hour") << "New York" << at(2021, 3, 14, 2, 30) << -1 << -1
        << "2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from 02:00 EST "
           "(UTC\u22125) to 03:00 EDT (UTC\u22124). Proceed refuses it until the time or the zone is changed.";
    // The first of the two, daylight saving, is set until the user says otherwise.
    QTest::newRow("repeated hour") << "New York" << at(2021, 11, 7, 1, 30) << Row("Eastern Standard Time,EST,-5.0") << 1
        << "2021-11-07 01:30 happened twice in America/New_York: first EDT (UTC\u22124, daylight saving), then EST "
           "(UTC\u22125). Zone set to Eastern Standard Time,EST,-5.0; tick Daylight Saving Time for the first, "
           "clear it for the second.";
  }
  void zoneSetting() {
    QFETCH(QString, place);
    QFETCH(QDateTime, local);
    QFETCH(int, row);
    QFETCH(int, dst);
    QFETCH(QString, note);
    const auto found = Fixture().Search(place.toStdString(), 1);
    QVERIFY(!found.empty());
    const places::LocalDateTime when{local.date().year(), local.date().month(), local.date().day(),
                                     local.time().hour(), local.time().minute(), 0};
    const ZoneSetting setting = ZoneSettingFor(*found.front(), when, false);
    QCOMPARE(QString::fromStdString(setting.note), note);
    QCOMPARE(setting.row, row);
    QCOMPARE(setting.dst ? int(*setting.dst) : -1, dst);
  }

  void init() {
    form_ = std::make_unique<FrmMain>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  // Choosing "New York City" on 4 July 1976 fills the place, the coordinates
  // (40.71427 N, 74.00597 W: 40°43' N, 74°00' W), the zone and the box.
  void choosingAPlaceFillsEveryField() {
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    SetDate(1976, 7, 4, 10, 15);
    Choose("Ne", "New York City, New York, United States");
    // The Enter that chose the place did not also press Proceed.
    QVERIFY(messages.shown.isEmpty());
    QVERIFY(!form_->Display());
    QCOMPARE(Text("txtMCity"), QStringLiteral("New York City"));
    QCOMPARE(Text("txtMState"), QStringLiteral("New York"));
    QCOMPARE(Text("txtMCountry"), QStringLiteral("United States"));
    QCOMPARE(Text("txtLatD") + ":" + Text("txtLatM"), QStringLiteral("40:43"));
    QCOMPARE(Text("txtLonD") + ":" + Text("txtLonM"), QStringLiteral("74:0"));
    QVERIFY(Child<QRadioButton>(*form_, "optLat0")->isChecked());   // North
    QVERIFY(Child<QRadioButton>(*form_, "optLong1")->isChecked());  // West
    QCOMPARE(Zone()->currentIndex(), Row("Eastern Standard Time,EST,-5.0"));
    QVERIFY(Dst()->isChecked());
    QCOMPARE(Note()->text(),
             QStringLiteral("Zone and daylight saving set from America/New_York on 1976-07-04 10:15: EDT, UTC\u22124"));
    QVERIFY(Note()->isVisibleTo(form_.get()));

    // A later date works it out again and says so.
    Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0);  // January
    QVERIFY(!Dst()->isChecked());
    QCOMPARE(Zone()->currentIndex(), Row("Eastern Standard Time,EST,-5.0"));
    QCOMPARE(Note()->text(), QStringLiteral("Date or time changed: zone and daylight saving set again from "
                                            "America/New_York on 1976-01-04 10:15: EST, UTC\u22125"));
  }

  // No row has Kathmandu's 5:45: the list gains the atlas's entry, chosen,
  // box cleared; a new date replaces it, a row picked by hand removes it.
  void aPlaceWithoutARowGetsTheAtlasEntry() {
    SetDate(2000, 1, 1, 0, 0);
    const int boxHeight = Child<QLineEdit>(*form_, "txtLatD")->height();
    Zone()->setCurrentIndex(Row("Central Standard Time,CST,-6.0"));
    Dst()->setChecked(true);
    Choose("kath", "Kathmandu, Central Region, Nepal");
    QCOMPARE(Text("txtLatD") + ":" + Text("txtLatM"), QStringLiteral("27:42"));  // 27.70169 N
    QCOMPARE(Zone()->count(), kTimeZoneCount + 1);
    QCOMPARE(Zone()->currentIndex(), kTimeZoneCount);
    QCOMPARE(Zone()->currentText(), QStringLiteral("From the atlas: UTC+5:45 (Asia/Kathmandu)"));
    QCOMPARE(Zone()->currentData(kZoneOffsetRole).toInt(), 5 * 60 + 45);
    QVERIFY(!Dst()->isChecked());
    // The window grows to hold the note; the rows above it keep their height.
    QTRY_VERIFY(Note()->height() >= Note()->heightForWidth(Note()->width()));
    QCOMPARE(Child<QLineEdit>(*form_, "txtLatD")->height(), boxHeight);
    QVERIFY(Note()->height() >= Note()->heightForWidth(Note()->width()));

    SetDate(1910, 1, 1, 0, 0);  // local mean time, 5:41:16
    QCOMPARE(Zone()->count(), kTimeZoneCount + 1);
    QCOMPARE(Zone()->currentText(), QStringLiteral("From the atlas: UTC+5:41 (Asia/Kathmandu)"));
    QVERIFY(Note()->text().contains(QStringLiteral("rounded to the minute")));

    Zone()->setCurrentIndex(Row("Indian Time, IST, +5.3"));
    QCOMPARE(Zone()->count(), kTimeZoneCount);
    QCOMPARE(Note()->text(), QStringLiteral("Zone set by hand"));
    SetDate(2000, 1, 1, 0, 0);  // the hand-made choice holds
    QCOMPARE(Zone()->currentIndex(), Row("Indian Time, IST, +5.3"));
    QCOMPARE(Note()->text(), QStringLiteral("Zone set by hand"));
  }

  // What the run charts, from the window's own lines, against the tz
  // database as Qt reads it: the instants whose clock at the place shows the
  // local time (none when it was skipped, two when it was repeated).
  void universalTimeAgainstTheTzDatabase_data() {
    QTest::addColumn<QString>("first");      // a place charted first, then Back; or empty
    QTest::addColumn<QString>("place");
    QTest::addColumn<QDateTime>("local");
    QTest::addColumn<QString>("handZone");   // a row picked by hand after the place, or empty
    QTest::addColumn<int>("handDst");        // -1: the box left alone
    QTest::addColumn<QString>("zone");       // the tz database's zone, or a fixed offset chosen by hand
    QTest::addColumn<int>("which");          // of the instants found, the one charted
    QTest::addColumn<QString>("refusal");    // when none: the message
    const auto at = [](int y, int mo, int d, int h, int mi) { return QDateTime(QDate(y, mo, d), QTime(h, mi)); };
    const QString newYork = QStringLiteral("New York City, New York, United States");
    const QString chennai = QStringLiteral("Chennai, Tamil Nadu, India");
    QTest::newRow("Kathmandu, 5:45") << "" << "Kathmandu, Central Region, Nepal" << at(1990, 5, 1, 10, 0) << ""
                                     << -1 << "Asia/Kathmandu" << 0 << "";
    QTest::newRow("Chennai, Madras time") << "" << chennai << at(1901, 6, 7, 6, 0) << "" << -1 << "Asia/Kolkata"
                                          << 0 << "";
    QTest::newRow("Chennai after New York") << newYork << chennai << at(1901, 6, 7, 6, 0) << "" << -1
                                            << "Asia/Kolkata" << 0 << "";
    QTest::newRow("New York, skipped hour")
        << "" << newYork << at(2021, 3, 14, 2, 30) << "" << -1 << "America/New_York" << -1
        << "2021-03-14 02:30 did not happen in America/New_York: the clocks went forward from 02:00 EST "
           "(UTC\u22125) to 03:00 EDT (UTC\u22124). Enter a time the clocks showed, before or after the skipped "
           "one, or set the zone and Daylight Saving Time by hand.";
    QTest::newRow("New York, repeated hour") << "" << newYork << at(2021, 11, 7, 1, 30) << "" << -1
                                             << "America/New_York" << 0 << "";
    QTest::newRow("New York, repeated hour, the second") << "" << newYork << at(2021, 11, 7, 1, 30) << "" << 0
                                                         << "America/New_York" << 1 << "";
    QTest::newRow("zone by hand after a place") << "" << newYork << at(1976, 7, 4, 10, 15)
                                                << "Central Standard Time,CST,-6.0" << 1 << "UTC-05:00" << 0 << "";
    QTest::newRow("skipped hour, zone by hand") << "" << newYork << at(2021, 3, 14, 2, 30)
                                                << "Eastern Standard Time,EST,-5.0" << 0 << "UTC-05:00" << 0 << "";
  }
  void universalTimeAgainstTheTzDatabase() {
    QFETCH(QString, first);
    QFETCH(QString, place);
    QFETCH(QDateTime, local);
    QFETCH(QString, handZone);
    QFETCH(int, handDst);
    QFETCH(QString, zone);
    QFETCH(int, which);
    QFETCH(QString, refusal);
    RecordingMessages messages;
    ScopedMessageSeam messageGuard(&messages);
    Child<QLineEdit>(*form_, "txtName")->setText(QStringLiteral("Ada"));
    if (!first.isEmpty()) {
      SetDate(1976, 7, 4, 10, 15);
      Choose(first.left(4), first);
      QTest::mouseClick(Child<QPushButton>(*form_, "cmdRashi"), Qt::LeftButton);
      QVERIFY(form_->Display());
      QTest::mouseClick(Child<QPushButton>(*form_->Display(), "cmdOK"), Qt::LeftButton);  // Back
      QTRY_VERIFY(form_->isVisible());
      Child<QLineEdit>(*form_, "txtMCity")->clear();
    }
    SetDate(local.date().year(), local.date().month(), local.date().day(), local.time().hour(), local.time().minute());
    Choose(place.left(4), place);
    if (!handZone.isEmpty()) Zone()->setCurrentIndex(Row(handZone.toStdString()));
    if (handDst >= 0) Dst()->setChecked(handDst == 1);

    const QTimeZone tz(zone.toUtf8());
    QVERIFY2(tz.isValid(), qPrintable(zone));
    const QList<QDateTime> instants = InstantsShowing(tz, local);
    QTest::mouseClick(Child<QPushButton>(*form_, "cmdRashi"), Qt::LeftButton);
    if (which < 0) {
      QVERIFY(instants.isEmpty());  // the tz database agrees that the time was skipped
      QCOMPARE(messages.shown.size(), 1);
      QCOMPARE(messages.shown.front().text, refusal);
      QVERIFY(!form_->Display() || !form_->Display()->isVisible());
      QVERIFY(form_->isVisible());
      QCOMPARE(Text("txtMCity"), place.section(QLatin1Char(','), 0, 0));
      QCOMPARE(Child<QComboBox>(*form_, "cboHH")->currentText(), QString::number(local.time().hour()));
      return;
    }
    QVERIFY2(messages.shown.isEmpty(), qPrintable(messages.shown.isEmpty() ? QString() : messages.shown.front().text));
    QVERIFY(which < instants.size());
    QVERIFY(form_->Display());
    form_->Display()->findChild<QTabWidget*>()->setCurrentIndex(7);  // the Chart tab
    const QString line = Child<QLabel>(*form_->Display(), "lblInstant")->text();
    const QRegularExpressionMatch ut =
        QRegularExpression(QStringLiteral("Universal time (\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d)")).match(line);
    QVERIFY2(ut.hasMatch(), qPrintable(line));
    const QDateTime charted = QDateTime::fromString(ut.captured(1), QStringLiteral("yyyy-MM-dd HH:mm"));
    // The run takes the offset to the minute: Madras time's 5:21:10 is 10 s off.
    const QDateTime expected = instants.at(which).toUTC();
    const qint64 off = QDateTime(charted.date(), charted.time(), Qt::UTC).secsTo(expected);
    QVERIFY2(std::abs(off) <= 30, qPrintable(line + " vs " + expected.toString(Qt::ISODate)));
    // The line names the offset used: the tz database's, to the minute.
    const int offsetMinutes = qRound(expected.secsTo(QDateTime(local.date(), local.time(), Qt::UTC)) / 60.0);
    const QString offsetText = QString::fromStdString(places::FormatUtcOffset(offsetMinutes * 60));
    QVERIFY2(line.contains(QStringLiteral(" at ") + offsetText + QStringLiteral(". ")), qPrintable(line));
  }

  // Typed by hand, the place stays as typed and the rest of the form as it
  // was; the web search gets the same text as ever.
  void aPlaceTypedByHandBehavesAsBefore() {
    RecordingUrls urls;
    ScopedUrlSeam urlGuard(&urls);
    const int zoneBefore = Zone()->currentIndex();
    QLineEdit* city = Child<QLineEdit>(*form_, "txtMCity");
    city->setFocus();
    QSignalSpy shown(form_->findChild<PlaceCompletion*>(), &PlaceCompletion::completionsShown);
    QTest::keyClicks(city, QStringLiteral("Pa"));
    QVERIFY(shown.count() > 0 || shown.wait(5000));
    // While the list is open it receives the keys, and hands them on to the box.
    QAbstractItemView* popup = Completer()->popup();
    QVERIFY(popup->isVisible());
    QTest::keyClicks(popup, QStringLiteral("ris"));
    QCOMPARE(city->text(), QStringLiteral("Paris"));
    QTest::keyClick(popup, Qt::Key_Escape);
    QVERIFY(!popup->isVisible());
    QTest::keyClicks(Child<QLineEdit>(*form_, "txtMState"), QStringLiteral("Texas"));
    QTest::keyClicks(Child<QLineEdit>(*form_, "txtMCountry"), QStringLiteral("USA"));
    QCOMPARE(city->text(), QStringLiteral("Paris"));
    QVERIFY(Text("txtLatD").isEmpty());
    QVERIFY(Text("txtLonD").isEmpty());
    QCOMPARE(Zone()->currentIndex(), zoneBefore);
    QVERIFY(!Dst()->isChecked());
    QVERIFY(!Note()->isVisibleTo(form_.get()));
    QTest::mouseClick(Child<QPushButton>(*form_, "cmdBrowser"), Qt::LeftButton);
    QCOMPARE(urls.opened.size(), 1);
    QCOMPARE(QUrlQuery(urls.opened.front()).queryItemValue("q", QUrl::FullyDecoded),
             QStringLiteral("Paris Texas USA Latitude Longitude"));
  }

  // Editing the City box after a choice forgets the place: a later date
  // changes nothing.
  void editingTheCityForgetsTheChosenPlace() {
    SetDate(1976, 7, 4, 10, 15);
    // The form fits its minimum to its content through posted events: read
    // its height once two samples agree, not before.
    const auto settledHeight = [this] {
      int height = -1;
      for (int same = 0; same < 3;) {
        const int sample = form_->height();
        same = sample == height ? same + 1 : 0;
        height = sample;
        QTest::qWait(10);
      }
      return height;
    };
    const int heightWithoutNote = settledHeight();
    Choose("Ne", "New York City, New York, United States");
    QTRY_VERIFY(form_->height() > heightWithoutNote);
    const int heightWithNote = settledHeight();
    QVERIFY(heightWithNote > heightWithoutNote);
    QTest::keyClick(Child<QLineEdit>(*form_, "txtMCity"), Qt::Key_Backspace);
    QVERIFY(!Note()->isVisibleTo(form_.get()));
    // The form shrinks again, as far as its content lets it at its width.
    QTRY_COMPARE(form_->height(), std::max(heightWithoutNote, form_->minimumHeight()));
    QVERIFY2(form_->height() < heightWithNote, qPrintable(QString::number(form_->height())));
    Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0);
    QVERIFY(Dst()->isChecked());
  }

  // Without the atlas files the note says why, and typing by hand goes on.
  void aMissingAtlasIsNamedInTheNote() {
    qputenv("ORBISCA_ATLAS_DIR", "/nonexistent-atlas");
    FrmMain form;
    qputenv("ORBISCA_ATLAS_DIR", ORBISCA_PLACES_FIXTURE);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QLineEdit* city = Child<QLineEdit>(form, "txtMCity");
    city->setFocus();
    QTest::keyClicks(city, QStringLiteral("Paris"));
    QLabel* note = Child<QLabel>(form, "lblPlaceNote");
    QTRY_VERIFY(note->isVisibleTo(&form));
    QCOMPARE(note->text(), QStringLiteral("Cannot read the atlas file /nonexistent-atlas/admin1Codes.txt: No such "
                                          "file or directory. Enter the place by hand."));
    QCOMPARE(city->text(), QStringLiteral("Paris"));
  }

 private:
  QString Text(const QString& box) { return Child<QLineEdit>(*form_, box)->text(); }
  QComboBox* Zone() { return Child<QComboBox>(*form_, "cmbTimeZone"); }
  QCheckBox* Dst() { return Child<QCheckBox>(*form_, "chkDST"); }
  QLabel* Note() { return Child<QLabel>(*form_, "lblPlaceNote"); }
  QCompleter* Completer() { return form_->findChild<QCompleter*>(); }

  // The instants, in order, at which the zone's clocks showed `local`: each
  // offset the zone had within a day of it tried in turn.
  static QList<QDateTime> InstantsShowing(const QTimeZone& tz, const QDateTime& local) {
    const QDateTime asUtc(local.date(), local.time(), Qt::UTC);
    QList<int> offsets;
    for (int hours = -26; hours <= 26; ++hours) {
      const int offset = tz.offsetFromUtc(asUtc.addSecs(hours * 3600));
      if (!offsets.contains(offset)) offsets << offset;
    }
    QList<QDateTime> instants;
    for (int offset : offsets) {
      const QDateTime instant = asUtc.addSecs(-offset);
      if (tz.offsetFromUtc(instant) == offset) instants << instant;
    }
    std::sort(instants.begin(), instants.end());
    return instants;
  }

  void SetDate(int year, int month, int day, int hour, int minute) {
    Child<QComboBox>(*form_, "cboYear")->setCurrentText(QString::number(year));
    Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(month - 1);
    Child<QComboBox>(*form_, "cboDate")->setCurrentText(QString::number(day));
    Child<QComboBox>(*form_, "cboHH")->setCurrentText(QString::number(hour));
    Child<QComboBox>(*form_, "cboMM")->setCurrentText(QString::number(minute));
  }

  // Types the letters into the City box, waits for the list, picks the entry.
  void Choose(const QString& letters, const QString& entry) {
    QLineEdit* city = Child<QLineEdit>(*form_, "txtMCity");
    city->setFocus();
    QSignalSpy shown(form_->findChild<PlaceCompletion*>(), &PlaceCompletion::completionsShown);
    QTest::keyClicks(city, letters);
    QVERIFY(shown.count() > 0 || shown.wait(5000));
    QAbstractItemView* popup = Completer()->popup();
    const QModelIndexList hits = popup->model()->match(popup->model()->index(0, 0), Qt::DisplayRole, entry, 1,
                                                       Qt::MatchExactly);
    QVERIFY2(!hits.isEmpty(), qPrintable(entry));
    popup->setCurrentIndex(hits.front());
    QTest::keyClick(popup, Qt::Key_Return);
  }

  std::unique_ptr<FrmMain> form_;
};

QTEST_MAIN(PlaceCompletionTest)
#include "place_completion_test.moc"
