// Input rules of the number boxes.
//
// What the user types or pastes is mapped so that the box shows exactly the
// text that is computed with: a Chinese input method often types full-width
// digits and signs, text copied from web pages and spreadsheets carries
// no-break and thin spaces, zero-width characters and byte-order marks.
//
// A box holds at most kMaxNumberTextLength characters. The shortest text of
// any double is at most 24 characters (-1.2345678901234567E-308),
// and even a value written with every digit its decimal expansion needs
// (0.1000000000000000055511151231257827...) and grouped by blanks stays far
// below the limit. An edit that would go beyond it is refused as a whole: the
// box keeps what it had, and the caller is told so that it can say why. The
// limit also keeps every keystroke fast: a box never lays out and reads more
// than this many characters.
//
// The box's undo history is kept to the last kUndoSteps edits; the toolkit's
// own history would otherwise grow with every keystroke for as long as the
// window is open.
#pragma once

#include <QString>
#include <QValidator>

#include <functional>

class QLineEdit;

namespace vornell::ui {

inline constexpr qsizetype kMaxNumberTextLength = 1024;
inline constexpr int kUndoSteps = 64;

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
bool toAsciiNumberText(QString& text, int* cursor = nullptr);

// A validator that rewrites the text with toAsciiNumberText() and accepts
// it, unless the result is longer than kMaxNumberTextLength: that is
// refused, `onRefused` is called, and the box keeps its text. QLineEdit
// applies the rewrite before it reports the change, so one keystroke or paste
// gives one textChanged().
class NumberInputValidator final : public QValidator {
 public:
  explicit NumberInputValidator(QObject* parent, std::function<void()> onRefused = {});

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;

 private:
  std::function<void()> onRefused_;
};

// Sets up a number box: the validator above, pastes and drops that would go
// beyond the limit refused before they reach the box (a refused paste costs
// no memory), and the bounded undo history. `onRefused` is called with the
// box for every refused edit.
void setUpNumberBox(QLineEdit* box, std::function<void(QLineEdit*)> onRefused);

}  // namespace vornell::ui
