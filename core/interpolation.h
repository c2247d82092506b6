// The transition calculation of Vornell: the value Wx at station Kx, from
// station K1 with value W1 and station K2 with value W2.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vornell {

enum class InterpolationMode {
  Linear,     // Wx = W1 + (Kx - K1) / (K2 - K1) * (W2 - W1)
  Parabolic,  // I = (Kx - K1) / (K2 - K1),  Wx = W1 + (3 I^2 - 2 I^3) (W2 - W1)
};

// The five input boxes' texts, UTF-8, each read with readNumber().
struct InputTexts {
  std::string_view k1, w1, k2, w2, kx;
};

// Computes the result text of one run, or std::nullopt for "no change" (the
// result box keeps what it shows).
//
// Order, which decides what can fail: with no mode, no change. Then K2 and K1
// are read and compared with stationsDiffer(); equal stations give no change,
// before anything else is read, so W1, W2 and Kx may hold anything then. Only
// then are Kx, W2 and W1 read and the formula evaluated in plain double
// arithmetic, step by step in the order the formula is written. I^2 and I^3
// are the correctly rounded powers (exactSquare, exactCube), so the result is
// the same on every platform. The result is rounded with roundToFivePlaces() and written with
// numberToText(). Kx is not limited to the stretch between K1 and K2.
//
//   Linear,    K1=100 W1=3.5 K2=200 W2=7 Kx=125  ->  "4.375"
//   Parabolic, K1=100 W1=3.5 K2=200 W2=7 Kx=125  ->  "4.04688"  (4.046875, half to even)
//   Parabolic, K1=100 W1=3.5 K2=200 W2=7 Kx=300  ->  "-10.5"     (factor -4)
//   Linear,    K1=0   W1=0   K2=64  W2=1 Kx=1    ->  "0.01562"
//   any mode,  K1="100" K2="100.0"               ->  std::nullopt
//   Linear,    K1=100 W1=3.5 K2=200 W2=7 Kx=1e30 ->  "3.5E+28"
//
// Throws NumericError:
//   Overflow       a text read holds a number beyond the double range, or a
//                  station beyond the scaled-decimal range (see stationsDiffer);
//   FloatingPoint  linear mode: the result is not finite; parabolic mode: I or
//                  W2 - W1 is not finite;
//   Overflow       parabolic mode: a later step leaves the double range.
// A failure of reading or comparing names its input (NumericError::input()).
// The returned text is always a well-formed number: never "inf", "nan" or "-0".
std::optional<std::string> interpolate(std::optional<InterpolationMode> mode,
                                       const InputTexts& texts);

// Whether station Kx lies outside the stretch from K1 to K2 (in either order),
// whose two ends belong to it: below the smaller or above the larger station
// and, compared as stations are (stationsDiffer), different from it. There the
// parabolic transition is over, and its formula gives the cubic's
// extrapolation. Reads K1, K2 and Kx only.
//
//   K1=100 K2=200 Kx=300  ->  true          K1=200 K2=100 Kx=50   ->  true
//   K1=100 K2=200 Kx=200  ->  false         K1=100 K2=200 Kx=125  ->  false
//   K1=100 K2=200 Kx=200.00000000000003  ->  false (equal to K2 as a station)
//   K1=100 K2=200 Kx=1e30 ->  true (too large to compare: beyond either end)
//
// Throws NumericError(Overflow), naming the input, for a reading beyond the
// double range, or for K1 or K2 beyond the scaled-decimal range when Kx lies
// beyond it.
bool outsideStations(const InputTexts& texts);

}  // namespace vornell
