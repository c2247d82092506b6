// Helpers shared by the core tests.
#pragma once

#include <QByteArray>
#include <array>
#include <charconv>
#include <string_view>

#include "core/numeric_text.h"

namespace vornell::test {

inline std::string_view view(const QByteArray& bytes) {
  return std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A double written exactly (hexadecimal significand), so that two values
// compare bit for bit, sign of zero included, with a readable failure.
inline QByteArray exact(double value) {
  std::array<char, 64> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex).ptr;
  return QByteArray(text.data(), static_cast<qsizetype>(end - text.data()));
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
