// Fuzzes the core with arbitrary bytes (the sanitizers watch every step):
//   - a decimal reading is what the C library's strtod (in the "C" locale)
//     gives for the leading part that the reading rule accepts;
//   - writing, reading and writing again gives the same text;
//   - a result text is a well-formed number, never "-0", "inf" or "nan";
//   - a chainage text is recognised exactly when it has the notation's shape.
#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>
#include <string>
#include <string_view>

#include "core/chainage.h"
#include "core/interpolation.h"

namespace {

void require(bool condition) {
  if (!condition) {
    __builtin_trap();  // libFuzzer records the input
  }
}

bool sameReading(std::optional<double> a, std::optional<double> b) {
  return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

std::string withoutBlanks(std::string_view text) {
  std::string compact(text);
  compact.erase(std::remove_if(compact.begin(), compact.end(),
                               [](char c) { return c == ' ' || c == '\t' || c == '\n'; }),
                compact.end());
  return compact;
}

// -?digits(.digits)?(E[+-]dd+)?, no "-0", no trailing zeros after a point.
bool isWellFormedNumber(const std::string& text) {
  static const std::regex shape(R"(-?[0-9]+(\.[0-9]*[1-9])?(E[+-][0-9]{2,3})?)");
  return std::regex_match(text, shape) && text != "-0";
}

void checkDecimalReading(std::string_view text) {
  const std::string compact = withoutBlanks(text);
  if (compact.empty() || compact[0] == '&') {
    return;
  }
  static const std::regex decimal(R"(^[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?)");
  std::smatch number;
  const std::optional<double> reading = vornell::readNumber(text).value;
  if (!std::regex_search(compact, number, decimal)) {
    require(sameReading(reading, 0.0));
    return;
  }
  errno = 0;
  const double expected = std::strtod(number.str().c_str(), nullptr);
  if (errno == ERANGE && std::isinf(expected)) {
    require(!reading);
    return;
  }
  // A negative zero, and anything too small for a double, reads as 0.
  require(sameReading(reading, expected == 0.0 ? 0.0 : expected));
}

void checkWriting(double value) {
  if (!std::isfinite(value)) {
    return;
  }
  const std::string text = vornell::numberToText(value);
  require(isWellFormedNumber(text));
  // 15 digits round the largest doubles up beyond the double range.
  const std::optional<double> readBack = vornell::readNumber(text).value;
  require(readBack.has_value() || std::fabs(value) > 1.79769313486231e308);
  require(!readBack || vornell::numberToText(*readBack) == text);
}

// Recognised exactly in the notation's shape, and then reading whole.
void checkChainage(std::string_view text) {
  const std::optional<std::string> plain = vornell::chainagePlainForm(text);
  static const std::regex shape(R"([A-Za-z]{0,2}[Kk][0-9]+\+[0-9]{1,3}(\.[0-9]*)?)");
  require(plain.has_value() == std::regex_match(withoutBlanks(text), shape));
  require(!plain || vornell::readNumber(*plain).extent == vornell::TextExtent::Whole);
}

// First byte: the mode; the rest: five texts separated by '|'.
void checkRun(std::string_view input) {
  const std::optional<vornell::InterpolationMode> mode =
      input[0] % 3 == 0   ? std::optional(vornell::InterpolationMode::Linear)
      : input[0] % 3 == 1 ? std::optional(vornell::InterpolationMode::Parabolic)
                          : std::nullopt;
  vornell::InputTexts texts;
  std::string_view rest = input.substr(1);
  for (auto& text : texts) {
    const auto bar = rest.find('|');
    text = rest.substr(0, bar);
    rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
  }
  const vornell::Calculation run = vornell::interpolate(mode, texts);
  require(!(run.result && run.failure));
  require(!run.result || isWellFormedNumber(*run.result));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  std::setlocale(LC_ALL, "C");
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  checkDecimalReading(input);
  checkChainage(input);
  if (const auto value = vornell::readNumber(input).value) {
    checkWriting(*value);
    checkWriting(vornell::roundToFivePlaces(*value));
  }
  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    checkWriting(raw);
    checkWriting(vornell::roundToFivePlaces(raw));
  }
  if (size > 0) {
    checkRun(input);
  }
  return 0;
}
