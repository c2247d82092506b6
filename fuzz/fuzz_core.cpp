// Fuzzes the number conventions and the transition calculation with
// arbitrary bytes, checking what must hold for every input:
//   - nothing crashes, and nothing but NumericError is thrown;
//   - a result text is a well-formed number, never "-0", "inf" or "nan";
//   - writing, reading and writing again gives the same text;
//   - a station never differs from itself;
//   - what readingOf() says agrees with readNumber(): the text up to where it
//     stopped reads as the whole text does and does not stop itself; a text
//     that reads whole or stopped reads the same with a comma after it, and
//     no number continues one that stopped; an unfinished text becomes whole
//     with a digit typed on (after a lone ampersand, H and a digit);
//   - a chainage text's plain form reads whole, as the decimal number
//     kilometres × 1000 + metres, formed here another way; and the text is
//     recognised exactly when it has the notation's shape.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "core/chainage.h"
#include "core/interpolation.h"
#include "core/numeric_text.h"

namespace {

void require(bool condition, const char* what) {
  if (!condition) {
    __builtin_trap();  // libFuzzer records the input
  }
  (void)what;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

// -?digits(.digits)?(E[+-]dd+)?, no "-0", no trailing zeros after a point.
bool isWellFormedNumber(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t begin = i;
    while (i < text.size() && isDigit(text[i])) {
      ++i;
    }
    return i - begin;
  };
  if (i < text.size() && text[i] == '-') {
    ++i;
  }
  if (digits() == 0) {
    return false;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    if (digits() == 0 || text[i - 1] == '0') {
      return false;
    }
  }
  if (i < text.size() && text[i] == 'E') {
    ++i;
    if (i == text.size() || (text[i] != '+' && text[i] != '-')) {
      return false;
    }
    ++i;
    if (digits() < 2) {
      return false;
    }
  }
  return i == text.size() && text != "-0";
}

std::optional<double> readOrNothing(std::string_view text) {
  try {
    return vornell::readNumber(text);
  } catch (const vornell::NumericError&) {
    return std::nullopt;
  }
}

// 15 digits round the largest doubles up to 1.79769313486232E+308, which is
// beyond the double range: only those may fail to read back.
constexpr double kLargestReadableText = 1.79769313486231e308;

void checkWriting(double value) {
  std::string text;
  try {
    text = vornell::numberToText(value);
  } catch (const vornell::NumericError&) {
    require(!std::isfinite(value), "only non-finite values have no text");
    return;
  }
  require(isWellFormedNumber(text), "written text is well-formed");
  const auto readBack = readOrNothing(text);
  if (!readBack) {
    require(std::fabs(value) > kLargestReadableText, "written text reads back");
    return;
  }
  require(vornell::numberToText(*readBack) == text, "writing is stable under reading");
}

void checkStation(double value) {
  try {
    require(!vornell::stationsDiffer(value, value), "a station equals itself");
  } catch (const vornell::NumericError& error) {
    require(error.kind() == vornell::NumericErrorKind::Overflow, "stations only overflow");
  }
}

bool sameReading(std::optional<double> a, std::optional<double> b) {
  return a.has_value() == b.has_value() && (!a || std::memcmp(&*a, &*b, sizeof(double)) == 0);
}

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

void checkReadingExtent(std::string_view text) {
  using Extent = vornell::TextReading::Extent;
  const vornell::TextReading reading = vornell::readingOf(text);
  const std::optional<double> value = readOrNothing(text);
  const std::string withComma = std::string(text) + ",";
  if (reading.extent != Extent::Stopped) {
    require(reading.stop == text.size(), "only a stopped reading stops inside");
  } else {
    require(reading.stop < text.size() && !isBlank(text[reading.stop]), "a stop at a character");
    const std::string_view before = text.substr(0, reading.stop);
    require(sameReading(readOrNothing(before), value), "what stands before the stop reads alike");
    require(vornell::readingOf(before).extent != Extent::Stopped, "the stop is the first");
    // Nothing typed on after the character at fault makes the text whole.
    const std::string_view upTo = text.substr(0, reading.stop + 1);
    for (const char* more : {"", "0", "1", "H1", "e1", ".1", "+1"}) {
      const auto extended = vornell::readingOf(std::string(upTo) + more);
      require(extended.extent == Extent::Stopped && extended.stop == reading.stop,
              "no number continues a stopped text");
    }
  }
  if (reading.extent == Extent::Unfinished) {
    std::string compact(text);
    compact.erase(std::remove_if(compact.begin(), compact.end(), isBlank), compact.end());
    const std::string completed =
        std::string(text) + (!compact.empty() && compact.back() == '&' ? "H1" : "1");
    require(vornell::readingOf(completed).extent == Extent::Whole, "an unfinished text completes");
    const auto stopped = vornell::readingOf(withComma);
    require(stopped.extent == Extent::Stopped, "a comma stops an unfinished text");
  } else {
    const auto stopped = vornell::readingOf(withComma);
    require(stopped.extent == Extent::Stopped &&
                stopped.stop == (reading.extent == Extent::Whole ? text.size() : reading.stop),
            "a comma after the text changes nothing before it");
    require(sameReading(readOrNothing(withComma), value), "a comma after the text reads alike");
  }
}

// [Kk] digits '+' one to three digits, optionally '.' and digits, blanks
// anywhere: the notation's shape, checked without its parser.
struct Chainage {
  std::string kilometres, metres, fraction;
};
std::optional<Chainage> chainageShape(std::string_view text) {
  std::string compact(text);
  compact.erase(std::remove_if(compact.begin(), compact.end(), isBlank), compact.end());
  if (compact.empty() || (compact[0] != 'K' && compact[0] != 'k')) {
    return std::nullopt;
  }
  const std::size_t plus = compact.find('+');
  const std::size_t point = std::min(compact.find('.'), compact.size());
  if (plus == std::string::npos || point < plus) {
    return std::nullopt;
  }
  Chainage parts{compact.substr(1, plus - 1), compact.substr(plus + 1, point - plus - 1),
                 point < compact.size() ? compact.substr(point + 1) : std::string()};
  const auto digits = [](const std::string& s) { return std::all_of(s.begin(), s.end(), isDigit); };
  if (parts.kilometres.empty() || parts.metres.empty() || parts.metres.size() > 3 ||
      !digits(parts.kilometres) || !digits(parts.metres) || !digits(parts.fraction)) {
    return std::nullopt;
  }
  return parts;
}

void checkChainage(std::string_view text) {
  const std::optional<std::string> plain = vornell::chainagePlainForm(text);
  const std::optional<Chainage> shape = chainageShape(text);
  require(plain.has_value() == shape.has_value(), "recognised exactly in the notation's shape");
  if (!plain) {
    return;
  }
  require(vornell::readingOf(*plain).extent == vornell::TextReading::Extent::Whole,
          "a plain form reads whole");
  // km·1000 + m.f = (km·10^(3+F) + mf) / 10^F, F the fraction's digits,
  // added digit by digit.
  const std::size_t places = shape->fraction.size();
  const std::string left = shape->kilometres + std::string(3 + places, '0');
  const std::string right = shape->metres + shape->fraction;
  std::string sum;
  int carry = 0;
  for (std::size_t i = 0; i < left.size(); ++i) {
    const int digit = (left[left.size() - 1 - i] - '0') +
                      (i < right.size() ? right[right.size() - 1 - i] - '0' : 0) + carry;
    sum.insert(sum.begin(), static_cast<char>('0' + digit % 10));
    carry = digit / 10;
  }
  const std::string scaled = (carry != 0 ? "1" : "") + sum + "e-" + std::to_string(places);
  require(sameReading(readOrNothing(*plain), readOrNothing(scaled)),
          "a plain form reads as km * 1000 + m");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  checkReadingExtent(input);
  checkChainage(input);

  if (const auto value = readOrNothing(input)) {
    require(std::isfinite(*value), "a reading is finite");
    checkWriting(*value);
    checkWriting(vornell::roundToFivePlaces(*value));
    checkStation(*value);
  }

  if (size >= sizeof(double)) {
    double raw = 0;
    std::memcpy(&raw, data, sizeof raw);
    checkWriting(raw);
    checkWriting(vornell::roundToFivePlaces(raw));
    checkStation(raw);
  }

  // First byte: the mode; the rest: five texts separated by '|'.
  if (size > 0) {
    const std::optional<vornell::InterpolationMode> mode =
        data[0] % 3 == 0   ? std::optional(vornell::InterpolationMode::Linear)
        : data[0] % 3 == 1 ? std::optional(vornell::InterpolationMode::Parabolic)
                           : std::nullopt;
    std::string_view fields[5];
    std::string_view rest = input.substr(1);
    for (auto& field : fields) {
      const auto bar = rest.find('|');
      field = rest.substr(0, bar);
      rest = bar == std::string_view::npos ? std::string_view() : rest.substr(bar + 1);
    }
    try {
      const auto result = vornell::interpolate(
          mode, vornell::InputTexts{fields[0], fields[1], fields[2], fields[3], fields[4]});
      if (result) {
        require(isWellFormedNumber(*result), "a result is a well-formed number");
      }
    } catch (const vornell::NumericError&) {
      // A failed run is an allowed outcome.
    }
  }
  return 0;
}
