#pragma once

#include <QLabel>

namespace orbisca::ui {

// A label that acts on a click: the promotional lines that open the maker's pages.
class LinkLabel : public QLabel {
  Q_OBJECT

 public:
  explicit LinkLabel(const QString& text, QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace orbisca::ui
