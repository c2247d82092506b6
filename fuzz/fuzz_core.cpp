// Fuzzes the number conventions and the transition calculation with
// arbitrary bytes, checking what must hold for every input:
//   - nothing crashes, and nothing but NumericError is thrown;
//   - a result text is a well-formed number, never "-0", "inf" or "nan";
//   - writing, reading and writing again gives the same text;
//   - a station never differs from itself.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

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
