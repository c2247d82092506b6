// The core on the console, for comparing builds on different platforms bit
// for bit:
//   vornell_crosscheck generate COUNT > inputs.txt    inputs, one a line
//   vornell_crosscheck < inputs.txt > outputs.txt     one outcome a line
//
// An input line is a mode letter and five texts, "L|K1|W1|K2|W2|Kx" (L
// linear, P parabolic, N no mode), answered by the result text, "=" for no
// change, or "!" and the failure; or a single text "V|text", answered by its
// reading and what the core derives from it, doubles written exactly.
// Generating needs no particular platform: the inputs are made once and fed
// to every build.
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "core/exact_power.h"
#include "core/interpolation.h"
#include "core/numeric_text.h"

namespace {

std::string exactText(double value) {
  std::array<char, 64> text{};
  const auto end =
      std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::hex).ptr;
  return std::string(text.data(), end);
}

const std::string kOverflow = "!Overflow";
const std::string kFloatingPoint = "!FloatingPoint";

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t bar = line.find('|'); bar != std::string_view::npos; bar = line.find('|')) {
    fields.push_back(line.substr(0, bar));
    line.remove_prefix(bar + 1);
  }
  fields.push_back(line);
  return fields;
}

std::string written(double value) {
  return std::isfinite(value) ? vornell::numberToText(value) : kFloatingPoint;
}

std::string stationsOutcome(double a, double b) {
  if (!vornell::stationComparable(a) || !vornell::stationComparable(b)) {
    return kOverflow;
  }
  return vornell::stationsDiffer(a, b) ? "differ" : "equal";
}

// The reading of one text and what the core derives from it.
std::string valueOutcome(std::string_view text) {
  const std::optional<double> value = vornell::readNumber(text).value;
  if (!value) {
    return kOverflow;
  }
  const double rounded = vornell::roundToFivePlaces(*value);
  const double cube = vornell::exactCube(*value);
  return exactText(*value) + ' ' + written(*value) + ' ' + exactText(rounded) + ' ' +
         written(rounded) + ' ' + exactText(cube) + ' ' + written(cube) + ' ' +
         stationsOutcome(*value, *value * (1 + 1e-15));
}

std::string runOutcome(const std::vector<std::string_view>& fields) {
  std::optional<vornell::InterpolationMode> mode;
  if (fields[0] == "L") {
    mode = vornell::InterpolationMode::Linear;
  } else if (fields[0] == "P") {
    mode = vornell::InterpolationMode::Parabolic;
  }
  const vornell::Calculation run =
      vornell::interpolate(mode, {fields[1], fields[2], fields[3], fields[4], fields[5]});
  if (run.failure) {
    return run.failure->kind == vornell::FailureKind::Overflow ? kOverflow : kFloatingPoint;
  }
  return run.result.value_or("=");
}

std::string outcomeOf(std::string_view line) {
  const auto fields = fieldsOf(line);
  if (fields.size() == 2 && fields[0] == "V") {
    return valueOutcome(fields[1]);
  }
  if (fields.size() == 6) {
    return runOutcome(fields);
  }
  return "?";
}

// ---------------------------------------------------------------------------
// The inputs: the first two are parabolic road inputs whose fifth place moves
// with a one-unit change of I^3; then everyday road inputs, five-place halves,
// huge, tiny and failing numbers, untidy texts and random doubles.

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {}

  std::uint64_t below(std::uint64_t bound) { return random_() % bound; }
  bool oneIn(std::uint64_t n) { return below(n) == 0; }
  template <std::size_t N>
  std::string pick(const std::array<std::string_view, N>& choices) {
    return std::string(choices[below(N)]);
  }

  // A number below `whole` with 0 to 3 decimals, as typed: no trailing zeros.
  std::string decimal(std::uint64_t whole) {
    static constexpr std::array<std::uint64_t, 4> kUnit = {1000, 100, 10, 1};
    const std::uint64_t unit = kUnit[below(4)];
    const std::uint64_t thousandths = below(whole * 1000 / unit) * unit;
    std::string places = std::to_string(1000 + thousandths % 1000).substr(1);
    places.erase(places.find_last_not_of('0') + 1);
    const std::string text = std::to_string(thousandths / 1000);
    return places.empty() ? text : text + '.' + places;
  }

  // Any finite double, from the bits up, written shortest.
  std::string anyDouble() {
    double value = std::bit_cast<double>(random_());
    while (value - value != 0.0) {
      value = std::bit_cast<double>(random_());
    }
    std::array<char, 64> text{};
    return std::string(text.data(),
                       std::to_chars(text.data(), text.data() + text.size(), value).ptr);
  }

 private:
  std::mt19937_64 random_;
};

// A run of five texts in a mode drawn after them. Every draw is a statement
// or an element of a braced list of its own, whose order C++ fixes: the order
// of function arguments it leaves to the compiler.
std::string run(const std::array<std::string, 5>& texts, Generator& g) {
  std::string line = g.oneIn(50) ? "N" : g.oneIn(2) ? "L" : "P";
  for (const auto& text : texts) {
    line += '|' + text;
  }
  return line;
}

// Stations of a real road with widths and elevations; a negative sign, an
// untidy character or an equal station now and then.
std::string everydayRun(Generator& g) {
  static constexpr std::array<std::string_view, 10> kNoise = {" ", "\t", ",", "K", "+",
                                                              "-", ".",  "e", "m", "1"};
  const std::string k1 = g.decimal(200000);
  std::array<std::string, 5> texts = {k1, g.decimal(3000), g.oneIn(20) ? k1 : g.decimal(200000),
                                      g.decimal(3000), g.decimal(200000)};
  if (g.oneIn(4)) {
    std::string& text = texts[g.below(5)];
    text.insert(g.below(text.size() + 1), g.pick(kNoise));
  }
  return run(texts, g);
}

// Dyadic relative positions make exact five-place halves.
std::string nearHalf(Generator& g) {
  const std::uint64_t span = std::uint64_t{1} << g.below(13);
  const std::uint64_t k1 = g.below(100000);
  return run({std::to_string(k1), g.decimal(100), std::to_string(k1 + span), g.decimal(100),
              std::to_string(k1 + g.below(span + 1))},
             g);
}

// Huge, tiny and failing numbers, and long &H / &O readings.
std::string extremes(Generator& g) {
  static constexpr std::array<std::string_view, 14> kForms = {"1e300",
                                                              "-1e300",
                                                              "1e-300",
                                                              "4.9e-324",
                                                              "7.9228162514264e28",
                                                              "1e29",
                                                              "1e400",
                                                              "1.7976931348623157e308",
                                                              "1e-20",
                                                              "1e103",
                                                              "1e154",
                                                              "100.0000000000001",
                                                              "0",
                                                              "1"};
  if (g.oneIn(4)) {
    std::string digits = g.oneIn(2) ? "&H" : "&O";
    const std::uint64_t length = g.oneIn(8) ? 250 + g.below(100) : 1 + g.below(24);
    for (std::uint64_t i = 0; i < length; ++i) {
      digits += "0123456789abcdef"[g.below(digits[1] == 'H' ? 16 : 8)];
    }
    return "V|" + digits;
  }
  return run({g.pick(kForms), g.pick(kForms), g.pick(kForms), g.pick(kForms), g.pick(kForms)}, g);
}

// Any double as a value of its own, or as the relative position I (K1 = 0,
// K2 = 1, Kx = I).
std::string randomDouble(Generator& g) {
  if (g.oneIn(2)) {
    return "V|" + g.anyDouble();
  }
  const double i = static_cast<double>(g.below(std::uint64_t{1} << 53)) * 0x1p-51 - 2.0;
  std::array<char, 64> text{};
  return run({"0", g.decimal(3000), "1", g.decimal(3000),
              std::string(text.data(), std::to_chars(text.data(), text.data() + 64, i).ptr)},
             g);
}

std::string generateInputs(std::size_t count) {
  std::string all =
      "P|3362|1332.584|3382|422.044|3375\n"
      "P|10771|2024.361|10811|869.641|10794\n";
  Generator g(20261207);
  for (std::size_t i = 2; i < count; ++i) {
    switch (i % 6) {
      case 3:
        all += nearHalf(g);
        break;
      case 4:
        all += extremes(g);
        break;
      case 5:
        all += randomDouble(g);
        break;
      default:
        all += everydayRun(g);
    }
    all += '\n';
  }
  return all;
}

int answerInputs() {
  std::string line;
  while (std::getline(std::cin, line)) {
    std::cout << outcomeOf(line) << '\n';
  }
  return std::cout.flush() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // Byte for byte: no CR LF line ends, no end of file at a Ctrl-Z.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  if (argc == 3 && std::string_view(argv[1]) == "generate") {
    const std::string all = generateInputs(std::stoul(argv[2]));
    std::fwrite(all.data(), 1, all.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (argc != 1) {
    std::fputs("usage: vornell_crosscheck [generate COUNT] < inputs > outputs\n", stderr);
    return 2;
  }
  return answerInputs();
}
