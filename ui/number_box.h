// The number boxes: they show exactly the text that is computed with.
#pragma once

#include <QLineEdit>
#include <QValidator>

namespace vornell::ui {

// Far above any real number (a double needs 24), and keeps a huge paste cheap.
inline constexpr int kMaxNumberTextLength = 1024;

// Inserted text up to its first line break, as in a single-line Windows edit
// box ("12345\r\n" from a spreadsheet leaves 12345): no key types a line
// break, so one came with the text just inserted, which ends at the cursor.
// Full-width digits, full stops (．。), signs (＋－), exponent letters (Ｅｅ) and
// U+2212 take their ASCII form; space-like characters become a plain space,
// which reading removes; format characters (Cf) and NUL go. An edit that
// leaves more than kMaxNumberTextLength characters is refused whole.
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

  // The smallest size at which the hidden box shows `text` (which it keeps)
  // whole: with the caret after it the box does not scroll it; as high as
  // the style makes a box for a line of text.
  QSize sizeShowing(const QString& text);

 signals:
  // The focus came from another control: by the keyboard, or by a click once
  // it is over (a click that drags a selection keeps it).
  void gotFocus();
  // An edit beyond kMaxNumberTextLength was refused whole; once per edit.
  void refused();

 protected:
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool focusByClick_ = false;  // the click under way gave the box the focus
};

}  // namespace vornell::ui
