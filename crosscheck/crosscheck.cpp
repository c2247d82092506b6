// The core on the console, for comparing builds on different platforms bit
// for bit (no Qt):
//
//   vornell_crosscheck generate COUNT > inputs.txt    inputs, one a line
//   vornell_crosscheck < inputs.txt > outputs.txt     one outcome a line
//   vornell_crosscheck compare inputs.txt A.txt B.txt two builds' outcomes,
//                                                     byte for byte
//
// An input line is a mode letter and five texts, "L|K1|W1|K2|W2|Kx" (L
// linear, P parabolic, N no mode), answered by the result text, "=" for no
// change, or "!" and the failure; or a single text "V|text", answered by its
// reading and everything the core derives from it, doubles written exactly.
// Generating needs no particular platform: the inputs are made once and fed
// to every build.
#include <array>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
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

std::string failureText(const vornell::NumericError& error) {
  return error.kind() == vornell::NumericErrorKind::Overflow ? "!Overflow" : "!FloatingPoint";
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t bar = line.find('|'); bar != std::string_view::npos; bar = line.find('|')) {
    fields.push_back(line.substr(0, bar));
    line.remove_prefix(bar + 1);
  }
  fields.push_back(line);
  return fields;
}

std::string writtenOrFailure(double value) {
  try {
    return vornell::numberToText(value);
  } catch (const vornell::NumericError& error) {
    return failureText(error);
  }
}

std::string stationsOutcome(double a, double b) {
  try {
    return vornell::stationsDiffer(a, b) ? "differ" : "equal";
  } catch (const vornell::NumericError& error) {
    return failureText(error);
  }
}

// The reading of one text and what the core derives from it.
std::string valueOutcome(std::string_view text) {
  double value = 0;
  try {
    value = vornell::readNumber(text);
  } catch (const vornell::NumericError& error) {
    return failureText(error);
  }
  const double rounded = vornell::roundToFivePlaces(value);
  const double cube = vornell::exactCube(value);
  return exactText(value) + ' ' + writtenOrFailure(value) + ' ' + exactText(rounded) + ' ' +
         writtenOrFailure(rounded) + ' ' + exactText(vornell::exactSquare(value)) + ' ' +
         exactText(cube) + ' ' + writtenOrFailure(cube) + ' ' +
         stationsOutcome(value, value * (1 + 1e-15));
}

std::string runOutcome(const std::vector<std::string_view>& fields) {
  std::optional<vornell::InterpolationMode> mode;
  if (fields[0] == "L") {
    mode = vornell::InterpolationMode::Linear;
  } else if (fields[0] == "P") {
    mode = vornell::InterpolationMode::Parabolic;
  }
  try {
    const auto result =
        vornell::interpolate(mode, {fields[1], fields[2], fields[3], fields[4], fields[5]});
    return result ? *result : "=";
  } catch (const vornell::NumericError& error) {
    return failureText(error);
  }
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

// Succeeds when both outcome files are the same bytes, one line for each
// input; otherwise shows the first differing lines with their input.
int compareOutcomes(const char* inputsPath, const char* firstPath, const char* secondPath) {
  std::ifstream inputs(inputsPath, std::ios::binary);
  std::ifstream first(firstPath, std::ios::binary);
  std::ifstream second(secondPath, std::ios::binary);
  if (!inputs || !first || !second) {
    std::cerr << "compare: cannot read " << inputsPath << ", " << firstPath << " or " << secondPath
              << '\n';
    return 2;
  }
  const auto shown = [](bool present, const std::string& text) {
    return present ? text : std::string("(no line)");
  };
  std::string input, a, b;
  std::size_t lines = 0;
  std::size_t differing = 0;
  for (;;) {
    const bool hasInput = static_cast<bool>(std::getline(inputs, input));
    const bool hasA = static_cast<bool>(std::getline(first, a));
    const bool hasB = static_cast<bool>(std::getline(second, b));
    if (!hasInput && !hasA && !hasB) {
      break;
    }
    ++lines;
    if ((hasInput && hasA && hasB && a == b) || ++differing > 10) {
      continue;
    }
    std::cout << "line " << lines << ", input " << shown(hasInput, input) << "\n  "
              << std::filesystem::path(firstPath).filename().string() << ": " << shown(hasA, a)
              << "\n  " << std::filesystem::path(secondPath).filename().string() << ": "
              << shown(hasB, b) << '\n';
  }
  if (differing == 0 &&
      std::filesystem::file_size(firstPath) != std::filesystem::file_size(secondPath)) {
    std::cout << "the last lines end differently\n";
    differing = 1;
  }
  if (differing != 0) {
    std::cout << differing << " of " << lines << " lines differ\n";
    return 1;
  }
  std::cout << lines << " inputs, the same outcomes byte for byte\n";
  return 0;
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
  if (argc == 5 && std::string_view(argv[1]) == "compare") {
    return compareOutcomes(argv[2], argv[3], argv[4]);
  }
  if (argc != 1) {
    std::fputs(
        "usage: vornell_crosscheck [generate COUNT] < inputs > outputs\n"
        "       vornell_crosscheck compare inputs A B\n",
        stderr);
    return 2;
  }
  return answerInputs();
}
