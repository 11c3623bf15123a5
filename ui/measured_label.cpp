#include "ui/measured_label.h"

#include <QHash>
#include <QMargins>

namespace orbisca::ui {
namespace {

enum class Question { SizeHint, MinimumSizeHint, HeightForWidth };

// Everything QLabel's measure of a plain text reads, with the question.
struct Key {
  Question question;
  int width;  // for HeightForWidth
  QString text;
  QString font;
  int dpi;
  int alignment;
  bool wordWrap;
  int margin;
  int indent;
  int frameWidth;
  QMargins contents;
  QSize minimum;
  int maximumWidth;
  int direction;
  bool hasBuddy;  // a buddy turns '&' into a shortcut, which changes the text measured

  bool operator==(const Key&) const = default;
};

size_t qHash(const Key& key, size_t seed = 0) {
  return qHashMulti(seed, static_cast<int>(key.question), key.width, key.text, key.font, key.alignment);
}

Key KeyOf(const QLabel& label, Question question, int width) {
  return {question,
          width,
          label.text(),
          label.font().toString(),
          label.logicalDpiY(),
          static_cast<int>(label.alignment()),
          label.wordWrap(),
          label.margin(),
          label.indent(),
          label.frameWidth(),
          label.contentsMargins(),
          label.minimumSize(),
          label.maximumWidth(),
          static_cast<int>(label.layoutDirection()),
          label.buddy() != nullptr};
}

// What QLabel measures through its text control rather than through the font.
bool MeasuredByQt(const QLabel& label) {
  constexpr Qt::TextInteractionFlags kControlled =
      Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard | Qt::TextEditable;
  return label.textFormat() != Qt::PlainText || (label.textInteractionFlags() & kControlled);
}

// The answers of this process. A window asks a few hundred questions; the
// cache starts over if something ever asks far more.
QHash<Key, QSize>& Answers() {
  static QHash<Key, QSize> answers;
  return answers;
}
constexpr qsizetype kMostAnswers = 4096;

template <typename Measure>
QSize Answer(const QLabel& label, Question question, int width, Measure measure) {
  const Key key = KeyOf(label, question, width);
  QHash<Key, QSize>& answers = Answers();
  if (const auto known = answers.constFind(key); known != answers.cend()) return *known;
  const QSize size = measure();
  if (answers.size() >= kMostAnswers) answers.clear();
  answers.insert(key, size);
  return size;
}

}  // namespace

QSize MeasuredLabel::sizeHint() const {
  ensurePolished();  // as QLabel does: polishing may change the font
  if (MeasuredByQt(*this)) return QLabel::sizeHint();
  return Answer(*this, Question::SizeHint, 0, [this] { return QLabel::sizeHint(); });
}

QSize MeasuredLabel::minimumSizeHint() const {
  ensurePolished();
  if (MeasuredByQt(*this)) return QLabel::minimumSizeHint();
  return Answer(*this, Question::MinimumSizeHint, 0, [this] { return QLabel::minimumSizeHint(); });
}

int MeasuredLabel::heightForWidth(int width) const {
  if (MeasuredByQt(*this)) return QLabel::heightForWidth(width);
  return Answer(*this, Question::HeightForWidth, width, [this, width] {
           return QSize(0, QLabel::heightForWidth(width));
         }).height();
}

}  // namespace orbisca::ui
