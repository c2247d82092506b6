#include "core/interpolation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "core/chainage.h"
#include "core/exact_power.h"

namespace vornell {

namespace {

// Ends a run at the step that failed; caught once, in interpolate().
struct RunFailed {
  Failure failure;
};

using Numbers = std::array<NumberReading, 5>;

// The value of an input, at the step that takes it.
double valueOf(const Numbers& numbers, InputField input) {
  const std::optional<double>& value = numbers[static_cast<std::size_t>(input)].value;
  if (!value) {
    throw RunFailed{{FailureKind::Overflow, input}};
  }
  return *value;
}

double finiteOrFail(double value, FailureKind kind) {
  if (!std::isfinite(value)) {
    throw RunFailed{{kind, std::nullopt}};
  }
  return value;
}

// The inputs are finite, so an overflow anywhere in the formula leaves an
// infinity or NaN that no later step of it can turn finite again: checking
// the result is checking every step.
double linear(double k1, double k2, const Numbers& numbers) {
  const double a = valueOf(numbers, InputField::Kx) - k1;
  const double b = k2 - k1;
  const double q = a / b;
  const double w2 = valueOf(numbers, InputField::W2);
  const double w1 = valueOf(numbers, InputField::W1);
  const double c = w2 - w1;
  const double p = q * c;
  const double r = p + w1;
  return finiteOrFail(r, FailureKind::FloatingPoint);
}

double parabolic(double k1, double k2, const Numbers& numbers) {
  const double kx = valueOf(numbers, InputField::Kx);
  const double i = finiteOrFail((kx - k1) / (k2 - k1), FailureKind::FloatingPoint);
  const double w2 = valueOf(numbers, InputField::W2);
  const double w1 = valueOf(numbers, InputField::W1);
  const double d = finiteOrFail(w2 - w1, FailureKind::FloatingPoint);
  const double u = 3.0 * (i * i);
  const double v = 2.0 * exactCube(i);
  const double s = u - v;
  const double p = s * d;
  const double r = w1 + p;
  return finiteOrFail(r, FailureKind::Overflow);
}

void requireComparable(double station, InputField input) {
  if (!stationComparable(station)) {
    throw RunFailed{{FailureKind::Overflow, input}};
  }
}

// Below the smaller or above the larger of two different stations, and
// different from it as a station; one too far out to compare is outside.
bool outside(double k1, double k2, double kx) {
  const double nearest = std::clamp(kx, std::min(k1, k2), std::max(k1, k2));
  return nearest != kx && (!stationComparable(kx) || stationsDiffer(kx, nearest));
}

void compute(InterpolationMode mode, const Numbers& numbers, Calculation& run) {
  const double k2 = valueOf(numbers, InputField::K2);
  const double k1 = valueOf(numbers, InputField::K1);
  requireComparable(k2, InputField::K2);
  requireComparable(k1, InputField::K1);
  if (!stationsDiffer(k2, k1)) {
    return;
  }
  const double r =
      mode == InterpolationMode::Linear ? linear(k1, k2, numbers) : parabolic(k1, k2, numbers);
  run.result = numberToText(roundToFivePlaces(r));
  run.outsideStations =
      mode == InterpolationMode::Parabolic && outside(k1, k2, valueOf(numbers, InputField::Kx));
}

BoxReading boxReadingOf(const NumberReading& number, std::string_view text) {
  BoxReading reading{number.extent, std::nullopt, std::nullopt};
  if (number.extent == TextExtent::Stopped) {
    if (number.value) {
      reading.readAs = numberToText(*number.value);
    }
    reading.plainStation = chainagePlainForm(text);
  }
  return reading;
}

}  // namespace

Calculation interpolate(std::optional<InterpolationMode> mode, const InputTexts& texts) {
  Calculation run;
  Numbers numbers;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    numbers[i] = readNumber(texts[i]);
    run.readings[i] = boxReadingOf(numbers[i], texts[i]);
  }
  if (!mode) {
    return run;
  }
  try {
    compute(*mode, numbers, run);
  } catch (const RunFailed& failed) {
    run.failure = failed.failure;
  }
  return run;
}

}  // namespace vornell
