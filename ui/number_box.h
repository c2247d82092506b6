// The number boxes of the window, which show exactly the text that is
// computed with, whatever an input method types or a web page hands over.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace vornell::ui {

// The most characters a box holds. The shortest text of any double has at
// most 24 (-1.2345678901234567E-308): the limit is far above real use, and
// keeps every keystroke fast and a huge paste cheap.
inline constexpr int kMaxNumberTextLength = 1024;

// Maps a number text in place: full-width digits, full stops (．。), signs
// (＋－) and exponent letters (Ｅｅ), and the minus sign U+2212, take their
// ASCII form; space-like characters (Unicode Zs, line and paragraph
// separators) become a plain space, which reading removes; invisible format
// characters (Cf: zero-width spaces, soft hyphen, byte-order mark...) and NUL
// go. Other characters, and ASCII but NUL, stay. `cursor`, when given, moves
// back by the characters removed before it. Returns whether anything changed.
//
//   "１２３．５" -> "123.5"     "12\u00A0345" -> "12 345"     "\uFEFF-2" -> "-2"
bool toAsciiNumberText(QString& text, int* cursor = nullptr);

// Rewrites the text with toAsciiNumberText() and accepts it, unless it is
// longer than kMaxNumberTextLength characters as typed or pasted: that edit
// is refused whole. The box applies the rewrite before it reports the change,
// so one keystroke or paste gives one textChanged().
class NumberInputValidator final : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override;
};

class NumberBox final : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberBox(QWidget* parent);

  // The part of the box's width and height that shows no text: the style's
  // frame, the margin QLineEdit keeps inside it at each end, and the caret.
  QSizeF chrome() const;

 signals:
  // The box took the focus from another control: by the keyboard at once, by
  // a mouse click once the click is over (a click that drags a selection
  // keeps it and gives no signal).
  void gotFocus();
  // An edit beyond kMaxNumberTextLength was refused whole; once per edit.
  void refused();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void reportRefusalOnce();
  void refusalReported();

  bool focusByClick_ = false;  // the click under way gave the box the focus
  bool refusalPending_ = false;
};

}  // namespace vornell::ui
