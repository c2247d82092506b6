#include "ui/number_box.h"

#include <QFocusEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include <utility>

namespace vornell::ui {

namespace {

// QLineEdit draws its text this far in from both ends of the style's contents
// area, and needs one pixel more for the caret after the last character.
constexpr int kTextInset = 2;
constexpr int kCaretWidth = 1;

// The ASCII form of a full-width digit, point, sign or exponent letter (and
// of the minus sign), a plain space for a space-like character, 0 otherwise.
char16_t asciiFor(char16_t c) {
  if (c >= u'０' && c <= u'９') {
    return static_cast<char16_t>(u'0' + (c - u'０'));
  }
  constexpr std::pair<char16_t, char16_t> kForms[] = {
      {u'．', u'.'},     {u'。', u'.'}, {u'＋', u'+'}, {u'－', u'-'},
      {u'\u2212', u'-'}, {u'Ｅ', u'E'}, {u'ｅ', u'e'}};
  for (const auto& [form, ascii] : kForms) {
    if (c == form) {
      return ascii;
    }
  }
  const QChar::Category category = QChar::category(c);
  const bool spaceLike = category == QChar::Separator_Space || category == QChar::Separator_Line ||
                         category == QChar::Separator_Paragraph;
  return spaceLike ? u' ' : 0;
}

// The window losing or regaining the activation (a message box, another
// program) or a popup: the caret and selection stay as they were.
bool passesFocusOn(const QFocusEvent* event) {
  return event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason;
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
      if (c == 0 || QChar::category(c) == QChar::Other_Format) {
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

QSizeF NumberBox::chrome() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  const QRect area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
  return QSizeF(width() - area.width() + 2 * kTextInset + kCaretWidth, height() - area.height());
}

// QLineEdit reports a paste that it had to cut and the validator then refused
// twice (inputRejected for the cut, and again for the refusal), both within
// the event that made the edit: one signal follows, once that event is over.
void NumberBox::reportRefusalOnce() {
  if (!std::exchange(refusalPending_, true)) {
    QMetaObject::invokeMethod(this, &NumberBox::refusalReported, Qt::QueuedConnection);
  }
}

void NumberBox::refusalReported() {
  refusalPending_ = false;
  emit refused();
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

// A right click that gives the focus opens the menu, a middle click pastes:
// the whole text is selected at once.
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
