#include "ui/accessible_list.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>


namespace orbisca::ui {
namespace {

// What the toolkit's own combo-box interface offers (the popup list as the
// one child, show-menu and press actions, the expanded state), with the name
// kept apart from the value.
class AccessibleListInterface final : public QAccessibleWidget {
 public:
  explicit AccessibleListInterface(AccessibleList* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Value) return List()->currentText();
    return QAccessibleWidget::text(t);  // Name: the accessible name, else the buddy label's text
  }

  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = List()->view()->isVisible();
    return s;
  }

  int childCount() const override { return 1; }
  QAccessibleInterface* child(int index) const override {
    return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    return child && child->object() == List()->view() ? 0 : -1;
  }

  QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
  void doAction(const QString& action) override {
    if (action != showMenuAction() && action != pressAction()) return;
    if (List()->view()->isVisible()) {
      List()->hidePopup();
    } else {
      List()->showPopup();
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  AccessibleList* List() const { return static_cast<AccessibleList*>(widget()); }
};

QAccessibleInterface* ListInterfaceFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(AccessibleList::staticMetaObject.className())) return nullptr;
  auto* list = qobject_cast<AccessibleList*>(object);
  return list ? new AccessibleListInterface(list) : nullptr;
}

}  // namespace

AccessibleList::AccessibleList(QWidget* parent) : QComboBox(parent) {
  // Once for the program, before any interface of a list is asked for.
  static const bool installed = [] {
    QAccessible::installFactory(ListInterfaceFactory);
    return true;
  }();
  Q_UNUSED(installed);
}

}  // namespace orbisca::ui
