// The transition calculation of Vornell: the value Wx at station Kx, from
// station K1 with value W1 and station K2 with value W2, with everything the
// window tells about one run.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/numeric_text.h"

namespace vornell {

enum class InterpolationMode {
  Linear,     // Wx = W1 + (Kx - K1) / (K2 - K1) * (W2 - W1)
  Parabolic,  // I = (Kx - K1) / (K2 - K1),  Wx = W1 + (3 I^2 - 2 I^3) (W2 - W1)
};

// The five inputs, named after their boxes, in the order of InputTexts.
enum class InputField { K1, W1, K2, W2, Kx };

// The five input boxes' texts, UTF-8, indexed by InputField.
using InputTexts = std::array<std::string_view, 5>;

enum class FailureKind {
  Overflow,       // a number beyond the double range, or a station beyond the
                  // range that compares (stationComparable)
  FloatingPoint,  // the formula left the double range where it is checked
};

struct Failure {
  FailureKind kind;
  // The input whose number failed; none for a failure of the arithmetic.
  std::optional<InputField> input;
};

// What a box reads, for telling the user when it is not what was typed.
struct BoxReading {
  TextExtent extent = TextExtent::Whole;
  // Stopped: the number read, written as a result is; none when it lies
  // beyond the double range (that is the run's failure to tell).
  std::optional<std::string> readAs;
  // Stopped at a station in chainage notation: its plain form (chainage.h).
  std::optional<std::string> plainStation;
};

struct Calculation {
  // The result text; none when the result box keeps what it shows.
  std::optional<std::string> result;
  std::optional<Failure> failure;
  std::array<BoxReading, 5> readings;  // indexed by InputField
  // A parabolic result for a Kx outside K1..K2, where the transition is over
  // and the cubic is extrapolated.
  bool outsideStations = false;
};

// One run: each text is read once, and the formula consults the readings in
// the order that decides what can fail. With no mode, no change. Then K2 and
// K1 must read and be comparable stations, and must differ (stationsDiffer);
// equal stations give no change, so W1, W2 and Kx may hold anything then.
// Only then are Kx, W2 and W1 taken and the formula evaluated in plain double
// arithmetic, step by step in the order it is written, I^3 being the correctly
// rounded cube (exactCube), so the result is the same on every platform. The
// result is rounded with roundToFivePlaces() and written with numberToText().
// Kx is not limited to the stretch between K1 and K2.
//
//   Linear,    K1=100 W1=3.5 K2=200 W2=7 Kx=125  ->  "4.375"
//   Parabolic, K1=100 W1=3.5 K2=200 W2=7 Kx=125  ->  "4.04688"  (4.046875, half to even)
//   Parabolic, K1=100 W1=3.5 K2=200 W2=7 Kx=300  ->  "-10.5", outside the stations
//   Linear,    K1=0   W1=0   K2=64  W2=1 Kx=1    ->  "0.01562"
//   any mode,  K1="100" K2="100.0"               ->  no result
//   Linear,    K1=100 W1=3.5 K2=200 W2=7 Kx=1e30 ->  "3.5E+28"
//   Linear,    K1=1e30                           ->  failure Overflow of K1
//
// Failures, which leave no result:
//   Overflow of an input  a text read holds a number beyond the double range,
//                         or K1 or K2 is not comparable (K2 is named first);
//   FloatingPoint         linear mode: the result is not finite; parabolic
//                         mode: I or W2 - W1 is not finite;
//   Overflow, no input    parabolic mode: a later step leaves the double range.
// A result text is always a well-formed number: never "inf", "nan" or "-0".
// Outside the stations means below the smaller or above the larger station
// and, compared as stations are, different from it; the ends belong inside.
Calculation interpolate(std::optional<InterpolationMode> mode, const InputTexts& texts);

}  // namespace vornell
