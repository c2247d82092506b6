#include "ui/number_box.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>
#include <utility>

namespace vornell::ui {

namespace {

// QLineEdit draws its text this far in from both ends of the style's contents
// area, and needs one pixel more for the caret after the last character.
constexpr int kTextInset = 2;
constexpr int kCaretWidth = 1;

bool isRemoved(char16_t c) {
  return c == 0 || QChar::category(c) == QChar::Other_Format;
}

bool isSpaceLike(char16_t c) {
  const QChar::Category category = QChar::category(c);
  return category == QChar::Separator_Space || category == QChar::Separator_Line ||
         category == QChar::Separator_Paragraph;
}

// The ASCII form of a non-ASCII number character, or 0 when it has none.
char16_t asciiFor(char16_t c) {
  if (c >= u'０' && c <= u'９') {
    return static_cast<char16_t>(u'0' + (c - u'０'));
  }
  switch (c) {
    case u'．':  // U+FF0E full-width full stop
    case u'。':  // U+3002 ideographic full stop
      return u'.';
    case u'＋':  // U+FF0B
      return u'+';
    case u'－':      // U+FF0D
    case u'\u2212':  // minus sign
      return u'-';
    case u'Ｅ':  // U+FF25
      return u'E';
    case u'ｅ':  // U+FF45
      return u'e';
    default:
      return isSpaceLike(c) ? u' ' : 0;
  }
}

bool passesFocusOn(const QFocusEvent* event) {
  // The window losing or regaining the activation (a message box, another
  // program) or a popup: the caret and selection stay as they were.
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

// The widest realistic number in `metrics`: nine of the widest digit and a
// point, with a minus sign in front when `signed`.
qreal widestNumber(const QFontMetricsF& metrics, bool withSign) {
  QChar widest = u'0';
  for (char16_t digit = u'1'; digit <= u'9'; ++digit) {
    if (metrics.horizontalAdvance(QChar(digit)) > metrics.horizontalAdvance(widest)) {
      widest = QChar(digit);
    }
  }
  const QString number = QString(withSign ? 1 : 0, u'-') + QString(9, widest) + u'.';
  // Whole pixels, as the box lays out its text.
  return std::ceil(metrics.horizontalAdvance(number));
}

// `font`, or the largest size half a point at a time smaller, not below the
// smallest legible size, at which `width(metrics)` is at most `room`.
template <typename Width>
QFont largestFitting(QFont font, qreal room, Width width) {
  while (width(QFontMetricsF(font)) > room && font.pointSizeF() > kSmallestNumberPointSize) {
    font.setPointSizeF(std::max(kSmallestNumberPointSize, font.pointSizeF() - 0.5));
  }
  return font;
}

}  // namespace

bool toAsciiNumberText(QString& text, int* cursor) {
  bool changed = false;
  int kept = 0;
  const auto size = text.size();
  for (int i = 0; i < size; ++i) {
    const char16_t c = text.at(i).unicode();
    char16_t mapped = c;
    if (c == 0 || c >= 0x80) {
      if (isRemoved(c)) {
        changed = true;
        if (cursor != nullptr && i < *cursor) {
          --*cursor;
        }
        continue;
      }
      if (const char16_t ascii = asciiFor(c); ascii != 0) {
        mapped = ascii;
      }
    }
    if (mapped != c || kept != i) {
      text[kept] = QChar(mapped);
      changed = true;
    }
    ++kept;
  }
  text.truncate(kept);
  return changed;
}

QValidator::State NumberInputValidator::validate(QString& input, int& pos) const {
  if (input.size() > kMaxNumberTextLength) {
    return Invalid;
  }
  toAsciiNumberText(input, &pos);
  return Acceptable;
}

void NumberInputValidator::fixup(QString& input) const {
  toAsciiNumberText(input);
}

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
  setValidator(new NumberInputValidator(this));
  // The box takes in at most one character more than it may hold, which the
  // validator then refuses: a paste of megabytes is cut to that before it
  // enters the box, and refused whole, instead of being inserted first and
  // taken out again.
  setMaxLength(kMaxNumberTextLength + 1);
  connect(this, &QLineEdit::inputRejected, this, [this] { reportRefusalOnce(); });
  // The whole number, for when it is wider than the box.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { setToolTip(text); });
}

void NumberBox::fitFontToNumbers(QFont font) {
  const qreal room = textWidth();
  const QFont signedFits = largestFitting(
      font, room, [](const QFontMetricsF& metrics) { return widestNumber(metrics, true); });
  if (widestNumber(QFontMetricsF(signedFits), true) <= room) {
    setFont(signedFits);
  } else {
    setFont(largestFitting(
        font, room, [](const QFontMetricsF& metrics) { return widestNumber(metrics, false); }));
  }
  centreDigits();
}

// The box centres the font's line; in fonts made for Chinese the line reaches
// far above the digits, which then sit low. Margins above or below the text
// move the line so that the digits are centred instead.
void NumberBox::centreDigits() {
  const QFontMetrics metrics(font());
  const QRect ink = metrics.tightBoundingRect(QStringLiteral("0123456789"));
  // How far the digits' middle lies below the line's, in half pixels.
  const int low = 2 * metrics.ascent() + ink.top() + ink.bottom() - metrics.height();
  setTextMargins(0, std::max(0, -low), 0, std::max(0, low));
}

qreal NumberBox::textWidth() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return area.marginsRemoved(textMargins()).width() - 2 * kTextInset - kCaretWidth;
}

// QLineEdit reports a paste that it had to cut and the validator then refused
// twice (inputRejected for the cut, and again for the refusal), both within
// the event that made the edit: one signal follows, once that event is over.
void NumberBox::reportRefusalOnce() {
  if (refusalPending_) {
    return;
  }
  refusalPending_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        refusalPending_ = false;
        emit refused();
      },
      Qt::QueuedConnection);
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (passesFocusOn(event)) {
    return;
  }
  // The press that gave the focus goes on to put the caret under the mouse:
  // the selection is made when the click is over.
  focusByClick_ = event->reason() == Qt::MouseFocusReason;
  if (!focusByClick_) {
    emit gotFocus();
  }
}

// Left for another control, the box shows its number from the first digit.
void NumberBox::focusOutEvent(QFocusEvent* event) {
  QLineEdit::focusOutEvent(event);
  focusByClick_ = false;
  if (!passesFocusOn(event)) {
    setCursorPosition(0);
  }
}

void NumberBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && focusByClick_) {
    // A right click gives the focus for the menu; a middle click pastes.
    focusByClick_ = false;
    emit gotFocus();
  }
  QLineEdit::mousePressEvent(event);
}

void NumberBox::mouseReleaseEvent(QMouseEvent* event) {
  QLineEdit::mouseReleaseEvent(event);
  if (std::exchange(focusByClick_, false) && !hasSelectedText()) {
    emit gotFocus();
  }
}

void NumberBox::contextMenuEvent(QContextMenuEvent* event) {
  if (std::exchange(focusByClick_, false)) {
    emit gotFocus();
  }
  QLineEdit::contextMenuEvent(event);
}

}  // namespace vornell::ui
