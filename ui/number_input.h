// Full-width number input for the number boxes. A Chinese input method
// often types full-width digits and signs; the boxes turn them into their
// ASCII forms as they are typed or pasted, so the box shows exactly the text
// that is computed with.
#pragma once

#include <QString>
#include <QValidator>

namespace vornell::ui {

// Replaces, in place, the full-width digits ０-９, the full-width and the
// ideographic full stop (．。), the full-width plus and minus (＋－), the
// minus sign U+2212, the full-width exponent letters Ｅ and ｅ and the
// ideographic space by '0'-'9', '.', '+', '-', 'E', 'e' and ' '. Every other
// character, ASCII included, is left alone. Returns whether anything changed.
bool toAsciiNumberText(QString& text);

// A validator that never rejects: it rewrites the text with
// toAsciiNumberText() and accepts it. QLineEdit applies the rewrite before it
// reports the change, so one keystroke or paste gives one textChanged().
class NumberInputValidator final : public QValidator {
 public:
  using QValidator::QValidator;

  State validate(QString& input, int& pos) const override;
  void fixup(QString& input) const override;
};

}  // namespace vornell::ui
