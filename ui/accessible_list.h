#pragma once

#include <QComboBox>
#include <QFont>
#include <QList>
#include <QStringList>
#include <atomic>
#include <memory>
#include <optional>
#include <thread>

namespace orbisca::ui {

// The widest item of each of some lists, measured on a thread of its own
// while the window that shows them is being built. A list sized to its
// contents lays every item out on the window's thread to find its width (the
// birth-data window's 408 items take about 0.9 ms); the second core can do it
// meanwhile. The widths are QFontMetrics::boundingRect's, as the list's own
// measuring takes them.
class ItemWidths {
 public:
  // Starts measuring each of `lists` in `font`.
  static std::shared_ptr<const ItemWidths> MeasureAhead(const QFont& font, QList<QStringList> lists);
  ~ItemWidths();  // waits for the measuring
  ItemWidths(const ItemWidths&) = delete;
  ItemWidths& operator=(const ItemWidths&) = delete;

  const QFont& Font() const { return font_; }
  const QStringList& Items(int index) const { return lists_.at(index); }
  // The widest item of list `index`, once the measuring is done; nothing before.
  std::optional<int> Widest(int index) const;
  void Wait() const;  // until the measuring is done

 private:
  ItemWidths(const QFont& font, QList<QStringList> lists);
  void Measure();

  const QFont font_;
  const QString fontDescription_;
  const QList<QStringList> lists_;
  QList<int> widest_;  // written by the thread before done_
  std::atomic<bool> done_{false};
  mutable std::thread thread_;
};

// A drop-down list that screen readers know by its own name. On Linux Qt
// names a combo box by its current item ("January", "1901"), whatever
// accessible name it was given; this list brings its own accessibility
// interface, whose name is the accessible name set (or its buddy label's
// text) and whose value is the current item.
class AccessibleList : public QComboBox {
  Q_OBJECT

 public:
  explicit AccessibleList(QWidget* parent = nullptr);

  // Fills the list with list `index` of `widths`, whose widest item then
  // gives the list its width, as long as the list holds those items in that
  // font and the measuring is done; otherwise the list measures its items
  // itself.
  void AddMeasuredItems(std::shared_ptr<const ItemWidths> widths, int index);
  // Whether the size hint comes from the widths measured ahead.
  bool UsesMeasuredWidth() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  std::shared_ptr<const ItemWidths> widths_;
  int widthsIndex_ = -1;
};

}  // namespace orbisca::ui
