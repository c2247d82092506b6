#include "core/interpolation.h"

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

// The inputs are finite, so an overflow anywhere in the formula leaves an
// infinity or NaN that no later step of it can turn finite again: checking
// the result is checking every step.
double linear(double k1, double k2, const InputTexts& texts) {
  const double a = readNumber(texts.kx) - k1;
  const double b = k2 - k1;
  const double q = a / b;
  const double w2 = readNumber(texts.w2);
  const double w1 = readNumber(texts.w1);
  const double c = w2 - w1;
  const double p = q * c;
  const double r = p + w1;
  return finiteOrThrow(r, NumericErrorKind::FloatingPoint);
}

double parabolic(double k1, double k2, const InputTexts& texts) {
  const double kx = readNumber(texts.kx);
  const double i = finiteOrThrow((kx - k1) / (k2 - k1), NumericErrorKind::FloatingPoint);
  const double w2 = readNumber(texts.w2);
  const double w1 = readNumber(texts.w1);
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
  const double k2 = readNumber(texts.k2);
  const double k1 = readNumber(texts.k1);
  if (!stationsDiffer(k2, k1)) {
    return std::nullopt;
  }
  const double r =
      *mode == InterpolationMode::Linear ? linear(k1, k2, texts) : parabolic(k1, k2, texts);
  return numberToText(roundToFivePlaces(r));
}

}  // namespace vornell
