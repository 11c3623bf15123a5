// What a screen reader finds in the windows: every control that takes input
// has a name of its own in its window, the caption labels are tied to their
// controls, the lists are named for what they hold rather than by their
// current item, and the description frames carry a description.

#include <QAccessible>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "ui/frm_about.h"
#include "ui/chart_tab.h"
#include "ui/frm_display.h"
#include "ui/frm_main.h"
#include "ui/frm_save.h"
#include "ui_test_support.h"

using namespace orbisca;
using namespace orbisca::ui;
using namespace orbisca::ui::testing;

namespace {

// Roles of the controls a user acts on; labels, frames and scroll bars are not among them.
bool TakesInput(QAccessible::Role role) {
  switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::Link:
      return true;
    default:
      return false;
  }
}

struct Control {
  QString objectName;
  QString name;
};

// Every input control under `node`, as the accessibility tree shows it (the
// pages of all tabs included, shown or not). A list's own popup and the
// menus, which repeat the buttons' commands, are not walked.
void CollectControls(QAccessibleInterface* node, QList<Control>& controls, int depth = 0) {
  if (!node || depth > 60) return;
  for (int i = 0; i < node->childCount(); ++i) {
    QAccessibleInterface* child = node->child(i);
    if (!child) continue;
    if (TakesInput(child->role())) {
      const QObject* object = child->object();
      controls.append({object ? object->objectName() : QStringLiteral("<%1>").arg(child->role()),
                       child->text(QAccessible::Name)});
    }
    if (child->role() != QAccessible::ComboBox && child->role() != QAccessible::MenuBar) {
      CollectControls(child, controls, depth + 1);
    }
  }
}

QString Name(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name); }

// Opens the window of a row: "form", "results", "report" or "about".
std::unique_ptr<QWidget> OpenWindow(const QString& window) {
  std::unique_ptr<QWidget> opened;
  if (window == "form") opened = std::make_unique<FrmMain>();
  if (window == "results") {
    auto* display = new FrmDisplay;
    display->setAttribute(Qt::WA_DeleteOnClose, false);  // owned here
    // The "Chart" page builds its widgets when first shown or when asked.
    Child<ChartTab>(*display, "fraChart")->BuildContents();
    opened.reset(display);
  }
  if (window == "report") opened = std::make_unique<FrmSave>(AspectTexts{});
  if (window == "about") opened = std::make_unique<FrmAbout>();
  if (!opened) qFatal("no window %s", qPrintable(window));
  opened->show();
  return opened;
}

}  // namespace

class AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void everyControlHasANameOfItsOwn_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("atLeast");  // controls expected, so that an empty walk cannot pass
    QTest::newRow("birth-data window") << "form" << 22;
    QTest::newRow("results window, all tabs") << "results" << 17;
    QTest::newRow("report window") << "report" << 3;
    QTest::newRow("About box") << "about" << 1;
  }
  void everyControlHasANameOfItsOwn() {
    QFETCH(QString, window);
    QFETCH(int, atLeast);
    const std::unique_ptr<QWidget> shown = OpenWindow(window);
    QList<Control> controls;
    CollectControls(QAccessible::queryAccessibleInterface(shown.get()), controls);
    QVERIFY2(controls.size() >= atLeast, qPrintable(QString::number(controls.size())));
    QStringList unnamed, repeated;
    QHash<QString, QString> owner;
    for (const Control& c : controls) {
      if (c.name.trimmed().isEmpty()) unnamed << c.objectName;
      if (owner.contains(c.name)) repeated << c.name + QStringLiteral(" (") + owner[c.name] + QStringLiteral(", ") +
                                                  c.objectName + QStringLiteral(")");
      owner.insert(c.name, c.objectName);
    }
    QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("unnamed: ") + unnamed.join(QStringLiteral(", "))));
    QVERIFY2(repeated.isEmpty(), qPrintable(QStringLiteral("named twice: ") + repeated.join(QStringLiteral("; "))));
  }

  // The names themselves, and the caption label each control is tied to.
  void names_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("label");  // the caption tied to it, or ""
    const auto row = [](const char* window, const char* control, const char* name, const char* label) {
      QTest::addRow("%s %s", window, control) << window << control << name << label;
    };
    row("form", "txtName", "Name", "Label13");
    row("form", "cboMonth", "Month of birth", "Label5");
    row("form", "cboDate", "Day of birth", "");
    row("form", "cboYear", "Year of birth", "");
    row("form", "cboHH", "Hour of birth", "Label1");
    row("form", "cboMM", "Minute of birth", "");
    row("form", "cboSS", "Second of birth", "");
    row("form", "cmbTimeZone", "Zone", "");
    row("form", "chkDST", "Daylight Saving Time", "");
    row("form", "txtLatD", "Latitude degrees", "Label7");
    row("form", "txtLatM", "Latitude minutes", "Label9");
    row("form", "txtLonD", "Longitude degrees", "Label6");
    row("form", "txtLonM", "Longitude minutes", "Label8");
    row("form", "txtMCity", "City", "Label54");
    row("form", "txtMState", "State", "Label55");
    row("form", "txtMCountry", "Country", "Label4");
    row("form", "cmdRashi", "Proceed", "");
    const char* kinds[] = {"Conjunction", "SemiSextile", "Sextile", "Square", "Trine", "Quincunx", "Opposition"};
    const char* spoken[] = {"Conjunction results", "Semi Sextile results", "Sextile results", "Square results",
                            "Trine results", "Quincunx results", "Opposition results"};
    for (int k = 0; k < 7; ++k) {
      QTest::addRow("results %s", kinds[k]) << "results" << QStringLiteral("RTBAspectsDesc%1").arg(kinds[k])
                                            << spoken[k] << QStringLiteral("Label%1").arg(12 + k);
    }
    row("results", "Command1", "Print", "");
    row("results", "cmdExit", "Exit", "");
    row("results", "cmdOK", "Back", "");
    row("report", "RTB", "Report", "");
    row("report", "cmdSave", "Save", "");
    row("report", "cmdPrint", "Print", "");
    row("about", "cmdOK", "OK", "");
  }
  void names() {
    QFETCH(QString, window);
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(QString, label);
    const std::unique_ptr<QWidget> shown = OpenWindow(window);
    auto* widget = Child<QWidget>(*shown, control);
    QCOMPARE(Name(widget), name);
    if (label.isEmpty()) return;
    auto* caption = Child<QLabel>(*shown, label);
    QCOMPARE(caption->buddy(), widget);
    // A screen reader learns the tie as the control's label relation.
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(widget);
    bool related = false;
    for (const auto& [other, relation] : iface->relations(QAccessible::Label)) {
      related = related || other->object() == caption;
    }
    QVERIFY(related);
  }

  // A list keeps its name whichever item is chosen; the item is its value.
  void listsKeepTheirNames_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("name");
    QTest::newRow("month") << "cboMonth" << 2 << "Month of birth";
    QTest::newRow("year") << "cboYear" << 99 << "Year of birth";
    QTest::newRow("minute") << "cboMM" << 0 << "Minute of birth";
    QTest::newRow("zone") << "cmbTimeZone" << 34 << "Zone";
  }
  void listsKeepTheirNames() {
    QFETCH(QString, list);
    QFETCH(int, index);
    QFETCH(QString, name);
    FrmMain form;
    auto* combo = Child<QComboBox>(form, list);
    combo->setCurrentIndex(index);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(combo);
    QCOMPARE(iface->role(), QAccessible::ComboBox);
    QCOMPARE(iface->text(QAccessible::Name), name);
    QCOMPARE(iface->text(QAccessible::Value), combo->currentText());
    // The popup list is still reachable, and opened by the list's action.
    QCOMPARE(iface->childCount(), 1);
    QCOMPARE(iface->child(0)->object(), combo->view());
    QVERIFY(iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::showMenuAction()));
    QVERIFY(iface->state().expandable);
    QVERIFY(!iface->state().expanded);
  }

  // The description frame and the cover of every tab say what they show.
  void descriptionFramesAreDescribed() {
    FrmDisplay display;
    const QStringList keywords = {"Power", "Response", "Opportunity", "Irritation", "Easy Flow", "Adjustment", "Conflicts"};
    for (int kind = 0; kind < 7; ++kind) {
      auto* frame = Child<QWidget>(display, QStringLiteral("Frame1_%1").arg(kind));
      const QString description = QAccessible::queryAccessibleInterface(frame)->text(QAccessible::Description);
      QVERIFY2(description.contains(QStringLiteral("Keyword: ") + keywords[kind]), qPrintable(description));
      QVERIFY2(description.contains(QStringLiteral("Significance: ")), qPrintable(description));
      auto* cover = Child<QWidget>(display, QStringLiteral("fraShow_%1").arg(kind));
      QCOMPARE(QAccessible::queryAccessibleInterface(cover)->text(QAccessible::Description),
               QStringLiteral("No Planet is present in this aspect."));
    }
  }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
