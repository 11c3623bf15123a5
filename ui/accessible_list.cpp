#include "ui/accessible_list.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QFontMetrics>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QtMath>

#include "ui/spare_core.h"

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

std::shared_ptr<const ItemWidths> ItemWidths::MeasureAhead(const QFont& font, QList<QStringList> lists) {
  std::shared_ptr<ItemWidths> widths(new ItemWidths(font, std::move(lists)));
  widths->thread_ = StartBeside([raw = widths.get()] { raw->Measure(); });
  return widths;
}

ItemWidths::ItemWidths(const QFont& font, QList<QStringList> lists)
    : font_(font), fontDescription_(font.toString()), lists_(std::move(lists)) {}

ItemWidths::~ItemWidths() { Wait(); }

void ItemWidths::Measure() {
  // A font of this thread's own, equal to the window's: a QFont shares its
  // engines with its copies, which the window's thread is using.
  QFont font;
  font.fromString(fontDescription_);
  const QFontMetrics metrics(font);
  QList<int> widest;
  for (const QStringList& items : lists_) {
    int width = 0;
    for (const QString& item : items) width = qMax(width, metrics.boundingRect(item).width());
    widest << width;
  }
  widest_ = std::move(widest);
  done_.store(true, std::memory_order_release);
}

std::optional<int> ItemWidths::Widest(int index) const {
  if (!done_.load(std::memory_order_acquire)) return std::nullopt;
  return widest_.at(index);
}

void ItemWidths::Wait() const {
  if (thread_.joinable()) thread_.join();
}

void AccessibleList::AddMeasuredItems(std::shared_ptr<const ItemWidths> widths, int index) {
  addItems(widths->Items(index));
  widths_ = std::move(widths);
  widthsIndex_ = index;
}

bool AccessibleList::UsesMeasuredWidth() const {
  if (!widths_ || !widths_->Widest(widthsIndex_)) return false;
  // Only where the list's own measuring would take the widest item alone.
  const bool toContents = sizeAdjustPolicy() == AdjustToContents || sizeAdjustPolicy() == AdjustToContentsOnFirstShow;
  if (!toContents || minimumContentsLength() > 0 || !placeholderText().isEmpty() || font() != widths_->Font()) {
    return false;
  }
  const QStringList& items = widths_->Items(widthsIndex_);
  if (count() != items.size()) return false;
  for (int i = 0; i < count(); ++i) {
    if (itemText(i) != items.at(i) || !itemIcon(i).isNull()) return false;
  }
  return true;
}

// As QComboBoxPrivate::recomputeSizeHint sizes a list to its contents: the
// widest item's bounding width, the font's height (at least 14 px) plus 2,
// and the style's frame and arrow around them.
QSize AccessibleList::sizeHint() const {
  if (!UsesMeasuredWidth()) return QComboBox::sizeHint();
  const QSize text(*widths_->Widest(widthsIndex_), qMax(qCeil(QFontMetricsF(fontMetrics()).height()), 14) + 2);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_ComboBox, &option, text, this);
}

// Sized to its contents with no minimum length set, a combo box works out its
// minimum exactly as its preferred size (QComboBoxPrivate::recomputeSizeHint),
// measuring every item a second time; the preferred size, kept until the items
// or the font change, gives the same answer at once.
QSize AccessibleList::minimumSizeHint() const {
  const bool toContents = sizeAdjustPolicy() == AdjustToContents || sizeAdjustPolicy() == AdjustToContentsOnFirstShow;
  if (toContents && minimumContentsLength() == 0) return sizeHint();
  return QComboBox::minimumSizeHint();
}

}  // namespace orbisca::ui
