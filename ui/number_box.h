// The number boxes of the window: what the user types or pastes is mapped so
// that the box shows exactly the text that is computed with, the whole text
// is selected when the box takes the focus, and the box holds at most
// kMaxNumberTextLength characters.
//
// A Chinese input method often types full-width digits and signs; text copied
// from web pages and spreadsheets carries no-break and thin spaces,
// zero-width characters and byte-order marks. The shortest text of any double
// is at most 24 characters (-1.2345678901234567E-308), so the length limit is
// far above real use; it keeps every keystroke fast and a huge paste cheap.
#pragma once

#include <QLineEdit>
#include <QString>
#include <QValidator>

namespace vornell::ui {

inline constexpr int kMaxNumberTextLength = 1024;
// Below this size digits stop being legible on a 96 dpi screen.
inline constexpr qreal kSmallestNumberPointSize = 7.0;

// Maps a number text in place:
//  - full-width digits ０-９, the full-width and ideographic full stops (．。),
//    the full-width plus and minus (＋－), the minus sign U+2212 and the
//    full-width exponent letters Ｅ ｅ become '0'-'9', '.', '+', '-', 'E', 'e';
//  - every space-like character (Unicode category Zs, and the line and
//    paragraph separators) becomes a plain space, which reading removes;
//  - invisible format characters (category Cf: zero-width space and joiners,
//    word joiner, soft hyphen, byte-order mark, directional marks, embeddings
//    and isolates) and NUL are removed.
// Other characters, and ASCII apart from NUL, are left alone. When `cursor`
// is given, it is moved back by the characters removed before it. Returns
// whether anything changed.
//
//   "１２３．５" -> "123.5"     "12\u00A0345" -> "12 345"     "\uFEFF-2" -> "-2"
bool toAsciiNumberText(QString& text, int* cursor = nullptr);

// Rewrites the text with toAsciiNumberText() and accepts it, unless it is
// longer than kMaxNumberTextLength characters as typed or pasted (before
// invisible characters are dropped): that edit is refused as a whole. The
// box applies the rewrite before it reports the change, so one keystroke or
// paste gives one textChanged().
class NumberInputValidator final : public QValidator {
  Q_OBJECT

 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

class NumberBox final : public QLineEdit {
  Q_OBJECT

 public:
  explicit NumberBox(QWidget* parent);

  // Takes `font`, made smaller where needed (never below a legible size) so
  // that a realistic number shows whole in the box: ten characters such as
  // 123456.789 or 1604.86667, and eleven (-1604.86667) where a legible size
  // allows. The captions of the window keep their own font.
  void fitFontToNumbers(QFont font);

 signals:
  // The box took the focus from another control of the window: by the
  // keyboard at once, by a mouse click once the click is over (a click that
  // drags a selection keeps it and gives no signal).
  void gotFocus();
  // An edit that would have made the text longer than kMaxNumberTextLength
  // was refused whole; the box kept its text. Once per refused edit.
  void refused();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;

 private:
  void reportRefusalOnce();
  void centreDigits();
  qreal textWidth() const;

  bool focusByClick_ = false;  // the click under way gave the box the focus
  bool refusalPending_ = false;
};

}  // namespace vornell::ui
