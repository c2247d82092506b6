#include "core/numeric_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <system_error>

namespace vornell {

namespace {

// ---------------------------------------------------------------------------
// Reading

// A lambda rather than a function, so that algorithms inline it.
constexpr auto isBlank = [](char c) { return c == ' ' || c == '\t' || c == '\n'; };

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isHexDigit(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// Reads left to right through a text that holds no blanks.
class Scanner {
 public:
  explicit Scanner(std::string_view text) : text_(text) {}

  char peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
  void advance() { ++pos_; }
  std::size_t position() const { return pos_; }
  // Moves past the characters that `accepts`; returns how many there were.
  template <typename Accepts>
  std::size_t skipWhile(Accepts accepts) {
    const std::size_t begin = pos_;
    while (pos_ < text_.size() && accepts(text_[pos_])) {
      ++pos_;
    }
    return pos_ - begin;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

// A double has fewer than 1025 bits before the point.
constexpr std::size_t kMaxHexDigits = 256;

// None: beyond the double range.
std::optional<double> hexDigitsToDouble(std::string_view hexDigits) {
  if (hexDigits.empty()) {
    return 0.0;
  }
  if (hexDigits.size() > kMaxHexDigits) {
    return std::nullopt;
  }
  double value = 0.0;
  const auto [end, ec] = std::from_chars(hexDigits.data(), hexDigits.data() + hexDigits.size(),
                                         value, std::chars_format::hex);
  if (ec != std::errc{} || end != hexDigits.data() + hexDigits.size()) {
    return std::nullopt;
  }
  return value;
}

std::string_view withoutLeadingZeros(std::string_view digits) {
  const auto first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Octal digits regrouped into hexadecimal ones, aligned from the right.
std::optional<double> octalDigitsToDouble(std::string_view octal) {
  // Three bits a digit, the first one not zero: 342 digits are 1024 bits
  // when the first is 1, more bits otherwise.
  constexpr std::size_t kMaxOctalDigits = 342;
  if (octal.size() > kMaxOctalDigits || (octal.size() == kMaxOctalDigits && octal[0] != '1')) {
    return std::nullopt;
  }
  std::array<char, kMaxHexDigits + 1> hex;
  std::size_t hexCount = 0;
  unsigned bits = 0;
  unsigned pending = (4 - (3 * octal.size()) % 4) % 4;  // leading zero bits
  for (const char digit : octal) {
    bits = (bits << 3) | static_cast<unsigned>(digit - '0');
    pending += 3;
    while (pending >= 4) {
      pending -= 4;
      hex[hexCount++] = "0123456789abcdef"[(bits >> pending) & 0xFu];
    }
    bits &= (1u << pending) - 1u;
  }
  return hexDigitsToDouble(withoutLeadingZeros(std::string_view(hex.data(), hexCount)));
}

// Exponent digits saturate here; any larger exponent is out of range anyway.
constexpr std::int64_t kExponentLimit = 1'000'000'000;

// The decimal exponent of the leading non-zero digit of a decimal number
// that has one (sign already skipped). Only needed to tell an overflow from
// an underflow, so it may be slow.
std::int64_t leadingExponentOf(std::string_view number) {
  Scanner scanner(number);
  const auto integer = withoutLeadingZeros(number.substr(0, scanner.skipWhile(isDigit)));
  std::int64_t leading = static_cast<std::int64_t>(integer.size()) - 1;
  if (integer.empty() && scanner.peek() == '.') {
    scanner.advance();
    leading = -1 - static_cast<std::int64_t>(scanner.skipWhile([](char c) { return c == '0'; }));
  }
  scanner.skipWhile([](char c) { return isDigit(c) || c == '.'; });
  if (scanner.peek() == 'e' || scanner.peek() == 'E') {
    scanner.advance();
    const bool negative = scanner.peek() == '-';
    if (scanner.peek() == '+' || scanner.peek() == '-') {
      scanner.advance();
    }
    std::int64_t exponent = 0;
    for (char c = scanner.peek(); isDigit(c); c = scanner.peek()) {
      exponent = std::min(exponent * 10 + (c - '0'), kExponentLimit);
      scanner.advance();
    }
    leading += negative ? -exponent : exponent;
  }
  return leading;
}

// The number at the start of a text without blanks, as the reading rule
// takes it in: where its digits lie, and how far typing on could still make
// the text a number.
struct NumberScan {
  enum class Kind { None, Decimal, Hexadecimal, Octal };
  Kind kind = Kind::None;
  // Decimal: the number without a leading '+', which the standard library's
  // conversion rejects; &H / &O: the digits after the marker.
  std::size_t begin = 0;
  std::size_t end = 0;
  // The longest leading part that more characters could make a number: the
  // number read and, after it, a lone exponent marker and its sign; without a
  // number, a sign, a point, an ampersand and its H or O.
  std::size_t viable = 0;
};

NumberScan scanNumber(std::string_view text) {
  using Kind = NumberScan::Kind;
  Scanner scanner(text);
  if (scanner.peek() == '&') {
    scanner.advance();
    const char marker = scanner.peek();
    if (marker != 'H' && marker != 'h' && marker != 'O' && marker != 'o') {
      return {Kind::None, 0, 0, 1};
    }
    scanner.advance();
    const bool hexadecimal = marker == 'H' || marker == 'h';
    const std::size_t begin = scanner.position();
    const std::size_t count = hexadecimal
                                  ? scanner.skipWhile(isHexDigit)
                                  : scanner.skipWhile([](char c) { return c >= '0' && c <= '7'; });
    if (count == 0) {
      return {Kind::None, 0, 0, begin};
    }
    return {hexadecimal ? Kind::Hexadecimal : Kind::Octal, begin, scanner.position(),
            scanner.position()};
  }
  const std::size_t begin = scanner.peek() == '+' ? 1 : 0;
  if (scanner.peek() == '+' || scanner.peek() == '-') {
    scanner.advance();
  }
  std::size_t digits = scanner.skipWhile(isDigit);
  if (scanner.peek() == '.') {
    scanner.advance();
    digits += scanner.skipWhile(isDigit);
  }
  if (digits == 0) {
    return {Kind::None, 0, 0, scanner.position()};
  }
  const std::size_t mantissaEnd = scanner.position();
  if (scanner.peek() != 'e' && scanner.peek() != 'E') {
    return {Kind::Decimal, begin, mantissaEnd, mantissaEnd};
  }
  scanner.advance();
  if (scanner.peek() == '+' || scanner.peek() == '-') {
    scanner.advance();
  }
  const bool exponent = scanner.skipWhile(isDigit) > 0;
  return {Kind::Decimal, begin, exponent ? scanner.position() : mantissaEnd, scanner.position()};
}

// A decimal number as scanned: sign, digits, point, digits, exponent. The
// standard library's conversion reads exactly that shape, correctly rounded,
// but reports overflow and underflow alike.
std::optional<double> readDecimal(std::string_view number) {
  double value = 0.0;
  const char* const last = number.data() + number.size();
  const auto ec = std::from_chars(number.data(), last, value, std::chars_format::general).ec;
  if (ec == std::errc::result_out_of_range) {
    if (leadingExponentOf(number.substr(number[0] == '-' ? 1 : 0)) > 0) {
      return std::nullopt;
    }
    return 0.0;  // too small for a double
  }
  if (ec != std::errc{} || value == 0.0) {
    return 0.0;  // "-0" reads as 0
  }
  return value;
}

std::optional<double> valueOf(std::string_view text, const NumberScan& scan) {
  const std::string_view number = text.substr(scan.begin, scan.end - scan.begin);
  switch (scan.kind) {
    case NumberScan::Kind::None:
      return 0.0;
    case NumberScan::Kind::Decimal:
      return readDecimal(number);
    case NumberScan::Kind::Hexadecimal:
      return hexDigitsToDouble(withoutLeadingZeros(number));
    case NumberScan::Kind::Octal:
      return octalDigitsToDouble(withoutLeadingZeros(number));
  }
  return 0.0;
}

// The text as the reading takes it: every blank removed. Without blanks it is
// `text` itself; otherwise the copy made in `storage`.
std::string_view withoutBlanks(std::string_view text, std::string& storage) {
  if (std::none_of(text.begin(), text.end(), isBlank)) {
    return text;
  }
  storage.reserve(text.size());
  std::remove_copy_if(text.begin(), text.end(), std::back_inserter(storage), isBlank);
  return storage;
}

// ---------------------------------------------------------------------------
// Station comparison

// 2^96, the first double above the largest scaled decimal
// 79228162514264337593543950335 = 2^96 - 1.
constexpr double kStationLimit = 79228162514264337593543950336.0;
constexpr int kStationDigits = 15;
constexpr int kStationMaxScale = 28;

// A station as a scaled decimal: sign, an integer of at most 15 digits
// without trailing zeros, and the power of ten it is scaled by. Zero is all
// zeros.
struct StationDecimal {
  bool negative = false;
  std::uint64_t digits = 0;
  int exponent = 0;

  friend bool operator==(const StationDecimal&, const StationDecimal&) = default;
};

// value / 10^places, rounded half to even.
std::uint64_t dropPlacesHalfEven(std::uint64_t value, int places) {
  if (places > kStationDigits) {
    return 0;  // below half a unit of the place kept
  }
  std::uint64_t unit = 1;
  for (int i = 0; i < places; ++i) {
    unit *= 10;
  }
  const std::uint64_t kept = value / unit;
  const std::uint64_t rest = value % unit;
  const bool up = rest > unit / 2 || (rest == unit / 2 && places > 0 && kept % 2 == 1);
  return kept + (up ? 1 : 0);
}

StationDecimal toStationDecimal(double station) {
  if (station == 0.0) {
    return {};
  }
  // d.dddddddddddddde±x: the value rounded to 15 significant digits.
  std::array<char, 32> text{};
  const auto written = std::to_chars(text.data(), text.data() + text.size(), std::fabs(station),
                                     std::chars_format::scientific, kStationDigits - 1);
  const char* const e = std::find(text.data(), written.ptr, 'e');
  StationDecimal decimal{station < 0.0, 0, 0};
  for (const char* digit = text.data(); digit != e; ++digit) {
    if (*digit != '.') {
      decimal.digits = decimal.digits * 10 + static_cast<std::uint64_t>(*digit - '0');
    }
  }
  std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), written.ptr, decimal.exponent);
  decimal.exponent -= kStationDigits - 1;

  // At most 28 places after the point.
  if (decimal.exponent < -kStationMaxScale) {
    decimal.digits = dropPlacesHalfEven(decimal.digits, -kStationMaxScale - decimal.exponent);
    decimal.exponent = -kStationMaxScale;
  }
  if (decimal.digits == 0) {
    return {};
  }
  while (decimal.digits % 10 == 0) {
    decimal.digits /= 10;
    ++decimal.exponent;
  }
  return decimal;
}

}  // namespace

NumberReading readNumber(std::string_view text) {
  std::string storage;
  const std::string_view read = withoutBlanks(text, storage);
  const NumberScan scan = scanNumber(read);
  TextExtent extent = TextExtent::Stopped;
  if (scan.viable == read.size()) {
    const bool whole = scan.kind != NumberScan::Kind::None && scan.end == read.size();
    extent = whole ? TextExtent::Whole : TextExtent::Unfinished;
  }
  return {valueOf(read, scan), extent};
}

bool stationComparable(double station) {
  return std::fabs(station) < kStationLimit;
}

bool stationsDiffer(double a, double b) {
  if (a == b) {
    return false;
  }
  // Two stations with equal 15-digit decimals lie within 1e-14 of the larger
  // magnitude of each other (plus 1e-28 from the place limit); a clearly
  // larger difference settles it without any conversion.
  const double larger = std::max(std::fabs(a), std::fabs(b));
  if (larger >= 1e-10 && std::fabs(a - b) > 1e-13 * larger) {
    return true;
  }
  return !(toStationDecimal(a) == toStationDecimal(b));
}

// Fixed notation with five places is rounded half to even on the exact value,
// and reads back as the double nearest to that decimal.
double roundToFivePlaces(double value) {
  if (!(std::fabs(value) < 0x1p52)) {
    return value;  // whole already, or not finite
  }
  std::array<char, 32> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 5);
  double rounded = value;
  std::from_chars(text.data(), written.ptr, rounded);
  return rounded;
}

// The general format with 15 digits is exactly the fixed/exponent rule,
// except for the exponent letter's case.
std::string numberToText(double value) {
  if (value == 0.0) {
    return "0";  // also for negative zero
  }
  std::array<char, 32> text{};
  const auto written =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 15);
  std::string result(text.data(), written.ptr);
  if (const auto e = result.find('e'); e != std::string::npos) {
    result[e] = 'E';
  }
  return result;
}

}  // namespace vornell
