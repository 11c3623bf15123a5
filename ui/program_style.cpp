#include "ui/program_style.h"

#include <QGroupBox>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>
#include <functional>
#include <qdrawutil.h>

namespace orbisca::ui {
namespace {

// Fusion's group-box frame, nine-patched from this picture with 6 px corners.
const QString kGroupBoxFrame = QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
constexpr int kGroupBoxCorner = 6;
// Fusion's gap above a frame, under its caption or check box when it has one.
constexpr int kGroupBoxTopMargin = 3;

const QPixmap& GroupBoxFrame() {
  static const QPixmap frame = [] {
    QImageReader reader(kGroupBoxFrame, "png");
    reader.setAutoDetectImageFormat(false);  // PNG is all it can be: ask no plugin
    return QPixmap::fromImage(reader.read());
  }();
  return frame;
}

// An icon that is made the first time something draws or measures it.
class DeferredIconEngine final : public QIconEngine {
 public:
  explicit DeferredIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().actualSize(size, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }
  QString iconName() override { return Icon().name(); }
  bool isNull() override { return Icon().isNull(); }
  QString key() const override { return QStringLiteral("orbisca-deferred"); }
  QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

 private:
  const QIcon& Icon() {
    if (make_) {
      icon_ = make_();
      make_ = nullptr;
    }
    return icon_;
  }

  std::function<QIcon()> make_;
  QIcon icon_;
};

}  // namespace

ProgramStyle::ProgramStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                 const QWidget* widget) const {
  if (element != PE_FrameGroupBox || GroupBoxFrame().isNull()) {
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    return;
  }
  // As Fusion places it: below the caption, or only the margin without one.
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const int top = box && !box->isCheckable() && box->title().isEmpty()
                      ? kGroupBoxTopMargin
                      : qMax(pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height()) +
                            kGroupBoxTopMargin;
  qDrawBorderPixmap(painter, option->rect.adjusted(0, top, 0, 0),
                    QMargins(kGroupBoxCorner, kGroupBoxCorner, kGroupBoxCorner, kGroupBoxCorner), GroupBoxFrame());
}

QIcon ProgramStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const {
  const bool overflowArrow = icon == SP_ToolBarHorizontalExtensionButton || icon == SP_ToolBarVerticalExtensionButton;
  // Without an option the icon depends only on the application's direction,
  // which the program never changes.
  if (!overflowArrow || option != nullptr) return QProxyStyle::standardIcon(icon, option, widget);
  QStyle* base = baseStyle();
  return QIcon(new DeferredIconEngine([base, icon, owner = QPointer<const QWidget>(widget)] {
    return base->standardIcon(icon, nullptr, owner.data());
  }));
}

}  // namespace orbisca::ui
