// Helpers shared by the core tests.
#pragma once

#include <QByteArray>
#include <array>
#include <charconv>
#include <string>

#include "core/numeric_text.h"
#include "ui/qt_compat.h"

namespace vornell::test {

// A double written exactly (hexadecimal significand), so that two values
// compare bit for bit, sign of zero included, with a readable failure.
inline QByteArray exact(double value) {
  std::array<char, 64> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex).ptr;
  return QByteArray(text.data(), static_cast<int>(end - text.data()));
}

// The standard library's text of `value` in `format` with `precision` digits.
inline std::string toChars(double value, std::chars_format format, int precision) {
  std::array<char, 400> text{};
  const auto end = std::to_chars(text.data(), text.data() + text.size(), value, format, precision);
  return std::string(text.data(), end.ptr);
}

// The kind of failure of `call`, or "none" when it returned.
template <typename Call>
QByteArray failureOf(Call&& call) {
  try {
    call();
  } catch (const NumericError& error) {
    return error.kind() == NumericErrorKind::Overflow ? "Overflow" : "FloatingPoint";
  }
  return "none";
}

}  // namespace vornell::test
