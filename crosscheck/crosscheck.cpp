// The core on the console, for comparing builds on different platforms bit
// for bit (no Qt):
//
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
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iostream>
#include <optional>
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
#include "crosscheck/input_generator.h"

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

int answerInputs() {
  std::string line;
  std::string outputs;
  while (std::getline(std::cin, line)) {
    outputs += outcomeOf(line);
    outputs += '\n';
    if (outputs.size() > (1u << 20)) {
      std::fwrite(outputs.data(), 1, outputs.size(), stdout);
      outputs.clear();
    }
  }
  std::fwrite(outputs.data(), 1, outputs.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
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
    const std::string all = vornell::crosscheck::generateInputs(std::stoul(argv[2]));
    std::fwrite(all.data(), 1, all.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  if (argc != 1) {
    std::fputs("usage: vornell_crosscheck [generate COUNT] < inputs > outputs\n", stderr);
    return 2;
  }
  return answerInputs();
}
