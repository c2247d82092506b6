// Helpers shared by the core tests.
#pragma once

#include <QByteArray>
#include <QTest>
#include <array>
#include <charconv>
#include <clocale>
#include <locale>

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

// The environment's locale for C and C++; under a decimal-comma locale
// (VORNELL_TEST_DECIMAL_COMMA set) first proven to be in force.
inline int useEnvironmentLocale() {
  if (!qEnvironmentVariableIsSet("VORNELL_TEST_DECIMAL_COMMA")) {
    return 0;
  }
  std::setlocale(LC_ALL, "");
  std::locale::global(std::locale(""));
  return QByteArray(std::localeconv()->decimal_point) == "," ? 0 : 1;
}

}  // namespace vornell::test

#define VORNELL_CORE_TEST_MAIN(TestObject)                   \
  int main(int argc, char** argv) {                          \
    if (vornell::test::useEnvironmentLocale() != 0) {        \
      qCritical("the decimal-comma locale is not in force"); \
      return 1;                                              \
    }                                                        \
    TestObject test;                                         \
    return QTest::qExec(&test, argc, argv);                  \
  }
