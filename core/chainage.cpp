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
  // Takes the digits that come next, appending them to `digits`; returns how many.
  std::size_t takeDigits(std::string& digits) {
    std::size_t count = 0;
    while (!atEnd() && isDigit(text_[pos_])) {
      digits += text_[pos_++];
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
  std::string kilometres;
  std::string metres;
  if (!(cursor.take('K') || cursor.take('k')) || cursor.takeDigits(kilometres) == 0 ||
      !cursor.take('+')) {
    return std::nullopt;
  }
  const std::size_t metreDigits = cursor.takeDigits(metres);
  if (metreDigits == 0 || metreDigits > 3) {
    return std::nullopt;
  }
  std::string fraction;
  if (cursor.take('.')) {
    cursor.takeDigits(fraction);
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
