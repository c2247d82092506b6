#include "crosscheck/input_generator.h"

#include <array>
#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <string_view>

namespace vornell::crosscheck {

namespace {

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {}

  std::uint64_t below(std::uint64_t bound) { return random_() % bound; }
  bool oneIn(std::uint64_t n) { return below(n) == 0; }
  template <std::size_t N>
  std::string_view pick(const std::array<std::string_view, N>& choices) {
    return choices[below(N)];
  }

  // A number below `whole` with 0 to `places` decimals, as typed.
  std::string decimal(std::uint64_t whole, int places) { return typed(thousandths(whole, places)); }

  // A number below `whole` with 0 to `places` (at most 3) decimals, counted
  // in thousandths.
  std::int64_t thousandths(std::uint64_t whole, int places) {
    static constexpr std::array<std::uint64_t, 4> kUnit = {1000, 100, 10, 1};
    const std::uint64_t unit = kUnit[below(static_cast<std::uint64_t>(places) + 1)];
    return static_cast<std::int64_t>(below(whole * 1000 / unit) * unit);
  }

  // Thousandths written as typed: no trailing zeros after the point.
  static std::string typed(std::int64_t thousandths) {
    const std::uint64_t magnitude =
        static_cast<std::uint64_t>(thousandths < 0 ? -thousandths : thousandths);
    std::string text = thousandths < 0 ? "-" : "";
    text += std::to_string(magnitude / 1000);
    std::string places = std::to_string(1000 + magnitude % 1000).substr(1);
    while (!places.empty() && places.back() == '0') {
      places.pop_back();
    }
    return places.empty() ? text : text + '.' + places;
  }

  std::string shortest(double value) {
    std::array<char, 64> text{};
    return std::string(text.data(),
                       std::to_chars(text.data(), text.data() + text.size(), value).ptr);
  }

  // Any finite double, from the bits up: huge, tiny and subnormal included.
  double anyDouble() {
    for (;;) {
      const double value = std::bit_cast<double>(random_());
      if (value - value == 0.0) {
        return value;
      }
    }
  }

 private:
  std::mt19937_64 random_;
};

std::string_view anyMode(Generator& g) {
  return g.oneIn(50) ? "N" : g.oneIn(2) ? "L" : "P";
}

// A run of the five texts in a mode drawn after them. Every draw is a
// statement or an element of a braced list of its own, whose order C++ fixes:
// the order of function arguments it leaves to the compiler.
std::string run(const std::array<std::string, 5>& texts, Generator& g) {
  std::string line(anyMode(g));
  for (const auto& text : texts) {
    line += '|';
    line += text;
  }
  return line;
}

// Stations of a real road, values of widths and elevations, Kx mostly
// within the stretch.
std::string everydayRun(Generator& g) {
  const std::int64_t k1 = g.thousandths(200000, 3);
  const std::int64_t length = g.thousandths(2000, 3);
  const std::int64_t signedLength = g.oneIn(5) ? -length : length;
  const std::int64_t kx = g.oneIn(4) ? g.thousandths(200000, 3) : k1 + g.thousandths(2000, 3);
  const std::int64_t w1 = g.thousandths(3000, 3);
  const std::int64_t signedW1 = g.oneIn(10) ? -w1 : w1;
  const std::int64_t k2 = g.oneIn(20) ? k1 : k1 + signedLength;
  return run({Generator::typed(k1), Generator::typed(signedW1), Generator::typed(k2),
              g.decimal(3000, 3), Generator::typed(kx)},
             g);
}

// Dyadic relative positions make exact five-place halves; six-decimal texts
// ending in 5 lie next to them.
std::string nearHalf(Generator& g) {
  if (g.oneIn(2)) {
    const std::uint64_t span = std::uint64_t{1} << g.below(13);
    const std::uint64_t k1 = g.below(100000);
    return run({std::to_string(k1), g.decimal(100, 3), std::to_string(k1 + span), g.decimal(100, 3),
                std::to_string(k1 + g.below(span + 1))},
               g);
  }
  std::string text = g.decimal(100000, 0) + '.';
  for (int i = 0; i < 5; ++i) {
    text += static_cast<char>('0' + g.below(10));
  }
  text += g.pick(std::array<std::string_view, 4>{"5", "49999999999", "50000000001", "5e0"});
  return "V|" + text;
}

std::string hugeOrTiny(Generator& g) {
  static constexpr std::array<std::string_view, 12> kForms = {"1e300",
                                                              "-1e300",
                                                              "1e-300",
                                                              "4.9e-324",
                                                              "7.9228162514264e28",
                                                              "1e29",
                                                              "1.7976931348623157e308",
                                                              "2.2250738585072014e-308",
                                                              "1e-20",
                                                              "1e103",
                                                              "1e154",
                                                              "1e-5"};
  if (g.oneIn(3)) {
    std::string digits = g.oneIn(2) ? "&H" : "&O";
    const std::uint64_t length = g.oneIn(8) ? 250 + g.below(100) : 1 + g.below(24);
    for (std::uint64_t i = 0; i < length; ++i) {
      digits += "0123456789abcdef"[g.below(digits[1] == 'H' ? 16 : 8)];
    }
    return "V|" + digits;
  }
  if (g.oneIn(2)) {
    return "V|" + g.shortest(g.anyDouble());
  }
  return run({std::string(g.pick(kForms)), std::string(g.pick(kForms)), std::string(g.pick(kForms)),
              std::string(g.pick(kForms)), std::string(g.pick(kForms))},
             g);
}

// Runs that fail, or change nothing, on the way.
std::string failingRun(Generator& g) {
  std::array<std::string, 5> texts = {"100", "3.5", "200", "7", g.decimal(400, 2)};
  switch (g.below(6)) {
    case 0:
      texts[g.below(5)] = "1e400";
      break;
    case 1:
      texts[2] = "100.0000000000001";
      break;
    case 2:
      texts[g.oneIn(2) ? 0 : 2] = "1e30";
      break;
    case 3:
      texts = {"0", "0", "1e-20", "1", "1e" + std::to_string(280 + g.below(40))};
      break;
    case 4:
      texts = {"0", "-1e308", "1", "1e308", "0.5"};
      break;
    default:
      texts = {"0", "0", "1", g.decimal(10, 1) + "e300", "1e" + std::to_string(90 + g.below(20))};
  }
  return run(texts, g);
}

// What people paste: blanks inside, commas, station notation, stray letters.
std::string untidyRun(Generator& g) {
  static constexpr std::array<std::string_view, 10> kNoise = {" ", "\t", ",", "K", "+",
                                                              "-", ".",  "e", "m", "1"};
  std::array<std::string, 5> texts;
  for (auto& text : texts) {
    text = g.decimal(5000, 3);
    for (int i = 0, n = static_cast<int>(g.below(3)); i < n; ++i) {
      const std::string_view noise = g.pick(kNoise);
      text.insert(g.below(text.size() + 1), noise);
    }
  }
  return run(texts, g);
}

// Random relative positions through Kx with K1 = 0 and K2 = 1: I is Kx.
std::string randomDoubleRun(Generator& g) {
  if (g.oneIn(3)) {
    return "V|" + g.shortest(g.anyDouble());
  }
  const double i = static_cast<double>(g.below(std::uint64_t{1} << 53)) * 0x1p-51 - 2.0;
  return run({"0", g.decimal(3000, 3), "1", g.decimal(3000, 3), g.shortest(i)}, g);
}

}  // namespace

std::string generateInputs(std::size_t count) {
  std::string all =
      "P|3362|1332.584|3382|422.044|3375\n"
      "P|10771|2024.361|10811|869.641|10794\n";
  Generator g(20261207);
  for (std::size_t i = 2; i < count; ++i) {
    switch (i % 8) {
      case 3:
        all += nearHalf(g);
        break;
      case 4:
        all += hugeOrTiny(g);
        break;
      case 5:
        all += failingRun(g);
        break;
      case 6:
        all += untidyRun(g);
        break;
      case 7:
        all += randomDoubleRun(g);
        break;
      default:
        all += everydayRun(g);
    }
    all += '\n';
  }
  return all;
}

}  // namespace vornell::crosscheck
