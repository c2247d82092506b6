#include "ui/number_input.h"

namespace vornell::ui {

namespace {

// The ASCII form of a full-width number character, or 0 when it has none.
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
    case u'\u3000':  // ideographic space
      return u' ';
    default:
      return 0;
  }
}

}  // namespace

bool toAsciiNumberText(QString& text) {
  bool changed = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (c < 0x80) {
      continue;
    }
    if (const char16_t ascii = asciiFor(c); ascii != 0) {
      text[i] = QChar(ascii);
      changed = true;
    }
  }
  return changed;
}

QValidator::State NumberInputValidator::validate(QString& input, int& pos) const {
  // Every mapping is one UTF-16 unit for one, so the cursor stays where it is.
  Q_UNUSED(pos);
  toAsciiNumberText(input);
  return Acceptable;
}

void NumberInputValidator::fixup(QString& input) const {
  toAsciiNumberText(input);
}

}  // namespace vornell::ui
