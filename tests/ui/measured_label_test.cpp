// A measured label answers every size question as a plain QLabel with the
// same settings would, however many labels share its answers, and also after
// any setting that changes the measure (a stale answer would crush or cut
// a wrapped text).

#include "ui/measured_label.h"

#include <QWidget>
#include <QtTest>
#include <functional>

using namespace orbisca::ui;

namespace {

const QString kLong = QStringLiteral(
    "This aspect calls for balance. You will be influenced by other people. There are a lot of polarities involved "
    "in this aspect.");

using Change = std::function<void(QLabel&)>;

// Both labels under one parent, so that they share font and style.
struct Pair {
  QWidget parent;
  QLabel* plain;
  MeasuredLabel* measured;
  explicit Pair(const QString& text) {
    plain = new QLabel(text, &parent);
    plain->setTextFormat(Qt::PlainText);
    measured = new MeasuredLabel(text, &parent);
  }
  void Apply(const Change& change) {
    change(*plain);
    change(*measured);
  }
};

void CompareAnswers(const QLabel& plain, const QLabel& measured) {
  QCOMPARE(measured.sizeHint(), plain.sizeHint());
  QCOMPARE(measured.minimumSizeHint(), plain.minimumSizeHint());
  for (int width : {0, 40, 120, 241, 480, 2000}) QCOMPARE(measured.heightForWidth(width), plain.heightForWidth(width));
}

QFont Points(qreal points, bool bold = false) {
  QFont font;
  font.setPointSizeF(points);
  font.setBold(bold);
  return font;
}

}  // namespace

class MeasuredLabelTest : public QObject {
  Q_OBJECT

 private slots:
  void AnswersAsQLabel_data();
  void AnswersAsQLabel();
  void AnswersAnewAfterAChange_data();
  void AnswersAnewAfterAChange();
  void SharesAnswersOnlyWithTheSameSettings();
};

// A setting applied to both labels before they are first asked.
void MeasuredLabelTest::AnswersAsQLabel_data() {
  QTest::addColumn<QString>("text");
  QTest::addColumn<Change>("setting");
  const Change wrap = [](QLabel& l) { l.setWordWrap(true); };
  QTest::newRow("one line") << QStringLiteral("Keyword") << Change([](QLabel&) {});
  QTest::newRow("empty, wrapped") << QString() << wrap;
  QTest::newRow("wrapped") << kLong << wrap;
  QTest::newRow("wrapped, centred, large bold") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setAlignment(Qt::AlignCenter);
    l.setFont(Points(14.25, true));
  });
  QTest::newRow("wrapped, margin and indent") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setMargin(5);
    l.setIndent(12);
    l.setContentsMargins(3, 1, 7, 2);
  });
  QTest::newRow("wrapped, framed") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setFrameShape(QFrame::Box);
    l.setLineWidth(3);
  });
  QTest::newRow("wrapped, held to a minimum width") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setMinimumWidth(300);
  });
  QTest::newRow("wrapped, at most 150 wide") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setMaximumWidth(150);
  });
  QTest::newRow("rich text (measured by Qt)") << QStringLiteral("<b>Power</b> and a much longer tail of words")
                                              << Change([](QLabel& l) {
                                                   l.setTextFormat(Qt::RichText);
                                                   l.setWordWrap(true);
                                                 });
  QTest::newRow("selectable (measured by Qt)") << kLong << Change([](QLabel& l) {
    l.setWordWrap(true);
    l.setTextInteractionFlags(Qt::TextSelectableByMouse);
  });
}

void MeasuredLabelTest::AnswersAsQLabel() {
  QFETCH(QString, text);
  QFETCH(Change, setting);
  Pair pair(text);
  pair.Apply(setting);
  CompareAnswers(*pair.plain, *pair.measured);
  CompareAnswers(*pair.plain, *pair.measured);  // the second time from what was kept
}

// A change after the label was measured: the kept answers must not be reused.
void MeasuredLabelTest::AnswersAnewAfterAChange_data() {
  QTest::addColumn<Change>("change");
  QTest::newRow("text") << Change([](QLabel& l) { l.setText(kLong + kLong); });
  QTest::newRow("font") << Change([](QLabel& l) { l.setFont(Points(16)); });
  QTest::newRow("word wrap off") << Change([](QLabel& l) { l.setWordWrap(false); });
  QTest::newRow("alignment (the indent goes to the top)")
      << Change([](QLabel& l) { l.setAlignment(Qt::AlignHCenter | Qt::AlignTop); });
  QTest::newRow("margin") << Change([](QLabel& l) { l.setMargin(9); });
  QTest::newRow("indent") << Change([](QLabel& l) { l.setIndent(30); });
  QTest::newRow("contents margins") << Change([](QLabel& l) { l.setContentsMargins(10, 0, 20, 0); });
  QTest::newRow("frame") << Change([](QLabel& l) { l.setFrameShape(QFrame::Panel); });
  QTest::newRow("minimum width") << Change([](QLabel& l) { l.setMinimumWidth(333); });
  QTest::newRow("maximum width") << Change([](QLabel& l) { l.setMaximumWidth(90); });
}

void MeasuredLabelTest::AnswersAnewAfterAChange() {
  QFETCH(Change, change);
  const Change wrap = [](QLabel& l) {
    l.setWordWrap(true);
    l.setIndent(12);
  };
  Pair asked(kLong);
  asked.Apply(wrap);
  CompareAnswers(*asked.plain, *asked.measured);
  asked.measured->setText(kLong);  // asked once more with the same settings: no change
  change(*asked.measured);
  // Against a label given the same settings before it is first asked (QLabel
  // itself keeps its size hints across a change of its minimum or maximum width).
  Pair fresh(kLong);
  fresh.Apply(wrap);
  fresh.Apply(change);
  CompareAnswers(*fresh.plain, *asked.measured);
}

// Seven labels of one text share; a label of another font does not take their answer.
void MeasuredLabelTest::SharesAnswersOnlyWithTheSameSettings() {
  QWidget parent;
  QList<MeasuredLabel*> same;
  for (int i = 0; i < 7; ++i) {
    same << new MeasuredLabel(kLong, &parent);
    same.back()->setWordWrap(true);
  }
  auto* larger = new MeasuredLabel(kLong, &parent);
  larger->setWordWrap(true);
  larger->setFont(Points(20));
  QLabel plainLarger(kLong);
  plainLarger.setTextFormat(Qt::PlainText);
  plainLarger.setWordWrap(true);
  plainLarger.setFont(Points(20));
  for (MeasuredLabel* label : same) QCOMPARE(label->heightForWidth(200), same.front()->heightForWidth(200));
  QCOMPARE(larger->heightForWidth(200), plainLarger.heightForWidth(200));
  QVERIFY(larger->heightForWidth(200) > same.front()->heightForWidth(200));
}

QTEST_MAIN(MeasuredLabelTest)
#include "measured_label_test.moc"
