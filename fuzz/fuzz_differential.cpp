// Fuzzes the number conventions against references computed another way,
// so that a reading or a rounding that is wrong but self-consistent is
// caught:
//   - a decimal reading against the C library's strtod (the "C" locale) on
//     the leading part that the reading rule accepts, after its own removal
//     of blanks;
//   - an &H / &O reading against the digits' exact integer, rounded here;
//   - rounding to five places against the exact decimal value of the double
//     rounded half to even (the standard library's fixed notation);
//   - the station comparison of two different doubles: symmetric, and equal
//     exactly when their 15-digit decimals (at most 28 places) agree.
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/numeric_text.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();  // libFuzzer records the input
  }
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool sameDouble(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

// std::nullopt stands for the overflow failure.
std::optional<double> readOrOverflow(std::string_view text) {
  try {
    return vornell::readNumber(text);
  } catch (const vornell::NumericError& error) {
    require(error.kind() == vornell::NumericErrorKind::Overflow);
    return std::nullopt;
  }
}

// ---------------------------------------------------------------------------
// Decimal readings

// The leading part of `text` that the rule reads: sign, digits, point,
// digits (at least one digit in all), then an exponent only when it has
// digits. Empty when there is no number.
std::string_view decimalPrefix(std::string_view text) {
  std::size_t i = 0;
  const auto skipDigits = [&] {
    const std::size_t begin = i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
    }
    return i - begin;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    ++i;
  }
  std::size_t digits = skipDigits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    digits += skipDigits();
  }
  if (digits == 0) {
    return {};
  }
  const std::size_t mantissaEnd = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    if (skipDigits() == 0) {
      i = mantissaEnd;
    }
  }
  return text.substr(0, i);
}

void checkDecimalReading(std::string_view compact, std::optional<double> reading) {
  const std::string prefix(decimalPrefix(compact));
  if (prefix.empty()) {
    require(reading && sameDouble(*reading, 0.0));
    return;
  }
  errno = 0;
  char* end = nullptr;
  const double expected = std::strtod(prefix.c_str(), &end);
  require(end == prefix.c_str() + prefix.size());
  if (errno == ERANGE && std::isinf(expected)) {
    require(!reading);
    return;
  }
  // A negative zero, and anything too small for a double, reads as 0.
  require(reading && sameDouble(*reading, expected == 0.0 ? 0.0 : expected));
}

// ---------------------------------------------------------------------------
// &H and &O readings

// The digits' integer, most significant bit first, leading zeros dropped.
std::vector<bool> integerBits(std::string_view digits, int bitsPerDigit) {
  std::vector<bool> bits;
  for (const char c : digits) {
    const int value = isDigit(c) ? c - '0' : (c | 0x20) - 'a' + 10;
    for (int bit = bitsPerDigit - 1; bit >= 0; --bit) {
      if (!bits.empty() || ((value >> bit) & 1) != 0) {
        bits.push_back(((value >> bit) & 1) != 0);
      }
    }
  }
  return bits;
}

// The integer rounded to 53 bits, half to even; std::nullopt beyond 2^1024.
std::optional<double> roundedInteger(const std::vector<bool>& bits) {
  std::uint64_t significand = 0;
  const std::size_t kept = std::min<std::size_t>(bits.size(), 53);
  for (std::size_t i = 0; i < kept; ++i) {
    significand = significand * 2 + (bits[i] ? 1 : 0);
  }
  if (bits.size() > kept) {
    const bool half = bits[kept];
    bool below = false;
    for (std::size_t i = kept + 1; i < bits.size(); ++i) {
      below = below || bits[i];
    }
    significand += half && (below || significand % 2 == 1) ? 1 : 0;
  }
  const auto scale = static_cast<int>(bits.size() - kept);
  const std::size_t length = bits.size() + (significand >> 53);  // a carry adds a bit
  if (length > 1024) {
    return std::nullopt;
  }
  return std::ldexp(static_cast<double>(significand), scale);
}

void checkRadixReading(std::string_view compact, std::optional<double> reading) {
  const bool hexadecimal = compact[1] == 'H' || compact[1] == 'h';
  std::size_t end = 2;
  while (end < compact.size() &&
         (hexadecimal ? std::isxdigit(static_cast<unsigned char>(compact[end])) != 0
                      : compact[end] >= '0' && compact[end] <= '7')) {
    ++end;
  }
  const auto expected =
      roundedInteger(integerBits(compact.substr(2, end - 2), hexadecimal ? 4 : 3));
  require(expected.has_value() == reading.has_value());
  require(!expected || sameDouble(*expected, *reading));
}

void checkReading(std::string_view text) {
  std::string compact;
  for (const char c : text) {
    if (c != ' ' && c != '\t' && c != '\n') {
      compact += c;
    }
  }
  const auto reading = readOrOverflow(text);
  const auto isRadixMarker = [](char c) { return c == 'H' || c == 'h' || c == 'O' || c == 'o'; };
  if (compact.size() >= 2 && compact[0] == '&' && isRadixMarker(compact[1])) {
    checkRadixReading(compact, reading);
  } else if (!compact.empty() && compact[0] == '&') {
    require(reading && sameDouble(*reading, 0.0));
  } else {
    checkDecimalReading(compact, reading);
  }
}

// ---------------------------------------------------------------------------
// Rounding

void checkRounding(double value) {
  const double rounded = vornell::roundToFivePlaces(value);
  if (!(std::fabs(value) < 0x1p52)) {
    require(sameDouble(rounded, value) || (std::isnan(value) && std::isnan(rounded)));
    return;
  }
  char text[400];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, 5);
  double expected = 0;
  std::from_chars(text, written.ptr, expected);
  require(sameDouble(rounded, expected));
}

// ---------------------------------------------------------------------------
// Station comparison

// A station's decimal: 15 significant digits, then at most 28 places, as
// the digits (no leading or trailing zeros; empty for zero) and the power of
// ten of the last one.
struct StationDecimal {
  bool negative = false;
  std::string digits;
  int exponent = 0;
  bool operator==(const StationDecimal&) const = default;
};

// Drops `places` digits from the right, rounding half to even.
std::string dropDigits(const std::string& digits, std::size_t places) {
  if (places > digits.size()) {
    return "";
  }
  std::string kept = digits.substr(0, digits.size() - places);
  const std::string rest = digits.substr(digits.size() - places);
  const std::string half = places == 0 ? "" : "5" + std::string(places - 1, '0');
  const bool odd = !kept.empty() && (kept.back() - '0') % 2 == 1;
  if (places > 0 && (rest > half || (rest == half && odd))) {
    std::size_t i = kept.size();
    while (i > 0 && kept[i - 1] == '9') {
      kept[--i] = '0';
    }
    if (i == 0) {
      kept.insert(kept.begin(), '1');
    } else {
      ++kept[i - 1];
    }
  }
  return kept;
}

StationDecimal stationDecimal(double station) {
  if (station == 0.0) {
    return {};
  }
  char text[64];
  const auto written = std::to_chars(text, text + sizeof text, std::fabs(station),
                                     std::chars_format::scientific, 14);
  const std::string_view scientific(text, static_cast<std::size_t>(written.ptr - text));
  const std::size_t e = scientific.find('e');
  StationDecimal decimal{
      station < 0, std::string(1, scientific[0]) + std::string(scientific.substr(2, e - 2)), 0};
  decimal.exponent = std::atoi(std::string(scientific.substr(e + 1)).c_str()) - 14;
  if (decimal.exponent < -28) {
    decimal.digits = dropDigits(decimal.digits, static_cast<std::size_t>(-28 - decimal.exponent));
    decimal.exponent = -28;
  }
  while (!decimal.digits.empty() && decimal.digits.back() == '0') {
    decimal.digits.pop_back();
    ++decimal.exponent;
  }
  return decimal.digits.empty() ? StationDecimal{} : decimal;
}

std::optional<bool> differOrOverflow(double a, double b) {
  try {
    return vornell::stationsDiffer(a, b);
  } catch (const vornell::NumericError& error) {
    require(error.kind() == vornell::NumericErrorKind::Overflow);
    return std::nullopt;
  }
}

void checkStations(double a, double b) {
  const auto forward = differOrOverflow(a, b);
  require(forward == differOrOverflow(b, a));
  constexpr double kLimit = 0x1p96;  // just above the largest scaled decimal
  if (!(std::fabs(a) < kLimit && std::fabs(b) < kLimit)) {
    require(!forward);
    return;
  }
  require(forward.has_value() && *forward == !(stationDecimal(a) == stationDecimal(b)));
}

double doubleAt(const std::uint8_t* data) {
  double value = 0;
  std::memcpy(&value, data, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  checkReading(text);
  std::vector<double> values;
  if (const auto reading = readOrOverflow(text)) {
    values = {*reading, std::nextafter(*reading, 0.0), *reading * (1 + 1e-15)};
  }
  if (size >= 2 * sizeof(double)) {
    values.push_back(doubleAt(data));
    values.push_back(doubleAt(data + sizeof(double)));
  }
  for (std::size_t i = 0; i < values.size(); ++i) {
    checkRounding(values[i]);
    if (i > 0 && !sameDouble(values[i - 1], values[i])) {
      checkStations(values[i - 1], values[i]);
    }
  }
  return 0;
}
