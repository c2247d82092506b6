#include "core/chainage.h"

#include <algorithm>
#include <cstddef>

namespace vornell {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Reads the text left to right, blanks skipped.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : text_(text) { skipBlanks(); }

  bool atEnd() const { return pos_ == text_.size(); }
  // Takes `c` when it comes next.
  bool take(char c) {
    if (atEnd() || text_[pos_] != c) {
      return false;
    }
    ++pos_;
    skipBlanks();
    return true;
  }
  // Takes the characters of a kind that come next, appending them to `taken`;
  // returns how many.
  std::size_t takeWhile(bool (*accepts)(char), std::string& taken) {
    std::size_t count = 0;
    while (!atEnd() && accepts(text_[pos_])) {
      taken += text_[pos_++];
      ++count;
      skipBlanks();
    }
    return count;
  }

 private:
  void skipBlanks() {
    while (!atEnd() && isBlank(text_[pos_])) {
      ++pos_;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::string> chainagePlainForm(std::string_view text) {
  Cursor cursor(text);
  std::string letters;
  std::string kilometres;
  std::string metres;
  // The line's name (none, or one or two letters), then the K.
  const std::size_t letterCount = cursor.takeWhile(isLetter, letters);
  if (letterCount == 0 || letterCount > 3 || (letters.back() != 'K' && letters.back() != 'k') ||
      cursor.takeWhile(isDigit, kilometres) == 0 || !cursor.take('+')) {
    return std::nullopt;
  }
  const std::size_t metreDigits = cursor.takeWhile(isDigit, metres);
  if (metreDigits == 0 || metreDigits > 3) {
    return std::nullopt;
  }
  std::string fraction;
  if (cursor.take('.')) {
    cursor.takeWhile(isDigit, fraction);
  }
  if (!cursor.atEnd()) {
    return std::nullopt;
  }
  std::string plain = kilometres + std::string(3 - metreDigits, '0') + metres;
  plain.erase(0, std::min(plain.find_first_not_of('0'), plain.size() - 1));
  if (!fraction.empty()) {
    plain += '.';
    plain += fraction;
  }
  return plain;
}

}  // namespace vornell
