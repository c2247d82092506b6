#include "core/interpolation.h"

#include <algorithm>
#include <cmath>

#include "core/exact_power.h"
#include "core/numeric_text.h"

namespace vornell {

namespace {

double finiteOrThrow(double value, NumericErrorKind kind) {
  if (!std::isfinite(value)) {
    throw NumericError(kind);
  }
  return value;
}

// Reads one input; a failure names the input it came from.
double readInput(std::string_view text, InputField input) {
  try {
    return readNumber(text);
  } catch (const NumericError& error) {
    throw NumericError(error.kind(), input);
  }
}

// The guard on equal stations. A station that cannot be compared with
// itself is the one beyond the decimal range.
bool stationsDifferNamed(double k2, double k1) {
  try {
    return stationsDiffer(k2, k1);
  } catch (const NumericError& error) {
    bool k2Comparable = true;
    try {
      (void)stationsDiffer(k2, k2);
    } catch (const NumericError&) {
      k2Comparable = false;
    }
    throw NumericError(error.kind(), k2Comparable ? InputField::K1 : InputField::K2);
  }
}

// The inputs are finite, so an overflow anywhere in the formula leaves an
// infinity or NaN that no later step of it can turn finite again: checking
// the result is checking every step.
double linear(double k1, double k2, const InputTexts& texts) {
  const double a = readInput(texts.kx, InputField::Kx) - k1;
  const double b = k2 - k1;
  const double q = a / b;
  const double w2 = readInput(texts.w2, InputField::W2);
  const double w1 = readInput(texts.w1, InputField::W1);
  const double c = w2 - w1;
  const double p = q * c;
  const double r = p + w1;
  return finiteOrThrow(r, NumericErrorKind::FloatingPoint);
}

double parabolic(double k1, double k2, const InputTexts& texts) {
  const double kx = readInput(texts.kx, InputField::Kx);
  const double i = finiteOrThrow((kx - k1) / (k2 - k1), NumericErrorKind::FloatingPoint);
  const double w2 = readInput(texts.w2, InputField::W2);
  const double w1 = readInput(texts.w1, InputField::W1);
  const double d = finiteOrThrow(w2 - w1, NumericErrorKind::FloatingPoint);
  const double u = 3.0 * exactSquare(i);
  const double v = 2.0 * exactCube(i);
  const double s = u - v;
  const double p = s * d;
  const double r = w1 + p;
  return finiteOrThrow(r, NumericErrorKind::Overflow);
}

}  // namespace

std::optional<std::string> interpolate(std::optional<InterpolationMode> mode,
                                       const InputTexts& texts) {
  if (!mode) {
    return std::nullopt;
  }
  const double k2 = readInput(texts.k2, InputField::K2);
  const double k1 = readInput(texts.k1, InputField::K1);
  if (!stationsDifferNamed(k2, k1)) {
    return std::nullopt;
  }
  const double r =
      *mode == InterpolationMode::Linear ? linear(k1, k2, texts) : parabolic(k1, k2, texts);
  return numberToText(roundToFivePlaces(r));
}

bool outsideStations(const InputTexts& texts) {
  const double k1 = readInput(texts.k1, InputField::K1);
  const double k2 = readInput(texts.k2, InputField::K2);
  const double kx = readInput(texts.kx, InputField::Kx);
  const double nearest = std::clamp(kx, std::min(k1, k2), std::max(k1, k2));
  if (nearest == kx) {
    return false;
  }
  const InputField end = nearest == k1 ? InputField::K1 : InputField::K2;
  try {
    (void)stationsDiffer(nearest, nearest);
  } catch (const NumericError& error) {
    throw NumericError(error.kind(), end);
  }
  try {
    return stationsDiffer(kx, nearest);
  } catch (const NumericError&) {
    return true;  // farther out than a station that compares
  }
}

}  // namespace vornell
