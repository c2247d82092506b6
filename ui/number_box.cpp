#include "ui/number_box.h"

#include <QFocusEvent>
#include <QImage>
#include <QMouseEvent>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace vornell::ui {

namespace {

// The ASCII form of a full-width digit, point, sign or exponent letter (and
// of the minus sign), a plain space for a space-like character, else `c`.
QChar asciiFor(QChar c) {
  if (c >= u'０' && c <= u'９') {
    return QChar(u'0' + (c.unicode() - u'０'));
  }
  constexpr std::pair<char16_t, char16_t> kForms[] = {
      {u'．', u'.'},     {u'。', u'.'}, {u'＋', u'+'}, {u'－', u'-'},
      {u'\u2212', u'-'}, {u'Ｅ', u'E'}, {u'ｅ', u'e'}};
  for (const auto& [form, ascii] : kForms) {
    if (c == form) {
      return ascii;
    }
  }
  return c.isSpace() ? QChar(u' ') : c;
}

// A message box, another program or a popup took or gave back the focus.
bool passesFocusOn(const QFocusEvent* event) {
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
}

}  // namespace

QValidator::State NumberInputValidator::validate(QString& input, int& pos) const {
  const auto inserted = input.cbegin() + pos;
  const auto lineBreak =
      std::find_if(input.cbegin(), inserted, [](QChar c) { return c == u'\r' || c == u'\n'; });
  const int cut = static_cast<int>(lineBreak - input.cbegin());
  input.remove(cut, pos - cut);
  pos = cut;
  if (input.size() > kMaxNumberTextLength) {
    return Invalid;
  }
  const int cursor = pos;
  int kept = 0;
  for (int i = 0; i < static_cast<int>(input.size()); ++i) {
    const QChar c = input.at(i);
    if (c.isNull() || c.category() == QChar::Other_Format) {
      pos -= i < cursor ? 1 : 0;
    } else {
      input[kept++] = c.unicode() < 0x80 ? c : asciiFor(c);
    }
  }
  input.truncate(kept);
  return Acceptable;
}

NumberBox::NumberBox(QWidget* parent) : QLineEdit(parent) {
  setValidator(new NumberInputValidator(this));
  // One character beyond the limit, for the validator to refuse: a paste of
  // megabytes is cut to that before it enters the box.
  setMaxLength(kMaxNumberTextLength + 1);
  // A paste cut and then refused is rejected twice: told once, after the edit.
  auto* refusal = new QTimer(this);
  refusal->setSingleShot(true);
  connect(refusal, &QTimer::timeout, this, &NumberBox::refused);
  connect(this, &QLineEdit::inputRejected, refusal, [refusal] { refusal->start(0); });
  // The whole number, for when it is wider than the box.
  connect(this, &QLineEdit::textChanged, this, [this](const QString& text) { setToolTip(text); });
}

QSize NumberBox::sizeShowing(const QString& text) {
  setText(text);
  // Where the caret is while the text is not scrolled; painting scrolls it.
  const int unscrolled = inputMethodQuery(Qt::ImCursorRectangle).toRect().x();
  QStyleOptionFrame frame;
  initStyleOption(&frame);
  const QSize textSize(fontMetrics().horizontalAdvance(text), fontMetrics().height());
  QSize size = style()->sizeFromContents(QStyle::CT_LineEdit, &frame, textSize, this);
  QImage pixel(1, 1, QImage::Format_ARGB32_Premultiplied);
  for (; size.width() < screen()->availableGeometry().width(); size.rwidth()++) {
    resize(size);
    render(&pixel, QPoint(), QRegion(0, 0, 1, 1));  // painted, the box scrolls its text
    if (inputMethodQuery(Qt::ImCursorRectangle).toRect().x() == unscrolled) {
      break;
    }
  }
  return size;
}

void NumberBox::focusInEvent(QFocusEvent* event) {
  QLineEdit::focusInEvent(event);
  if (passesFocusOn(event)) {
    return;
  }
  // The press goes on to put the caret under the mouse: select when it is over.
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

// A right click that gives the focus opens the menu, a middle one pastes: select now.
void NumberBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton && std::exchange(focusByClick_, false)) {
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

}  // namespace vornell::ui
