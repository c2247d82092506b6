#include "core/exact_power.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

namespace vornell {

namespace {

// An unsigned integer wide enough for the exact product of two significands.
__extension__ typedef unsigned __int128 UInt128;

constexpr int kSignificandBits = 53;
constexpr int kMaxLeadingExponent = 1023;  // of the largest finite double's top bit
constexpr int kMinNormalExponent = -1022;  // of the smallest normal double's top bit
constexpr int kSubnormalExponent = -1074;  // of the smallest subnormal
constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;

int bitWidth(UInt128 value) {
  const auto high = static_cast<std::uint64_t>(value >> 64);
  const auto low = static_cast<std::uint64_t>(value);
  return static_cast<int>(high != 0 ? 64 + std::bit_width(high) : std::bit_width(low));
}

// significand × 2^exponent, which must be a double or beyond the range
// (significand <= 2^53, and exponent >= -1074 for a subnormal).
double composeDouble(std::uint64_t significand, int exponent) {
  if (significand == 0) {
    return 0.0;
  }
  const auto length = static_cast<int>(std::bit_width(significand));
  const int leading = length - 1 + exponent;
  if (leading > kMaxLeadingExponent) {
    return std::numeric_limits<double>::infinity();
  }
  if (leading < kMinNormalExponent) {
    return std::bit_cast<double>(significand << (exponent - kSubnormalExponent));
  }
  const std::uint64_t normalised = length <= kSignificandBits
                                       ? significand << (kSignificandBits - length)
                                       : significand >> (length - kSignificandBits);
  const auto biased = static_cast<std::uint64_t>(leading + kMaxLeadingExponent);
  return std::bit_cast<double>((biased << 52) | (normalised & kFractionMask));
}

// The double nearest to (value + f) × 2^exponent, ties to even, where the
// fraction 0 <= f < 1 is non-zero exactly when `fractionBelow` (value > 0).
double roundToDouble(UInt128 value, bool fractionBelow, int exponent) {
  const int length = bitWidth(value);
  const int leading = length - 1 + exponent;
  if (leading > kMaxLeadingExponent) {
    return std::numeric_limits<double>::infinity();
  }
  // Bits the result can hold: fewer below the normal range.
  const int precision =
      leading >= kMinNormalExponent ? kSignificandBits : leading - kSubnormalExponent + 1;
  if (precision <= 0) {
    // Below the smallest subnormal: it, when above its half, else zero.
    const bool aboveHalf =
        precision == 0 && (value != (UInt128{1} << (length - 1)) || fractionBelow);
    return aboveHalf ? std::numeric_limits<double>::denorm_min() : 0.0;
  }
  const int dropped = length - precision;
  if (dropped <= 0) {
    return composeDouble(static_cast<std::uint64_t>(value), exponent);
  }
  const UInt128 kept = value >> dropped;
  const UInt128 rest = value - (kept << dropped);
  const UInt128 half = UInt128{1} << (dropped - 1);
  const bool up = rest > half || (rest == half && (fractionBelow || (kept & 1) != 0));
  return composeDouble(static_cast<std::uint64_t>(kept) + (up ? 1 : 0), exponent + dropped);
}

// The magnitude of a finite, non-zero double as significand × 2^exponent,
// the significand normalised to 53 bits, subnormals included.
struct BinaryParts {
  std::uint64_t significand = 0;
  int exponent = 0;
};

BinaryParts binaryPartsOf(double value) {
  const std::uint64_t bits = std::bit_cast<std::uint64_t>(value) & ~(std::uint64_t{1} << 63);
  const auto biased = static_cast<int>(bits >> 52);
  if (biased == 0) {  // subnormal: normalise
    const int shift = std::countl_zero(bits) - (64 - kSignificandBits);
    return {bits << shift, kSubnormalExponent - shift};
  }
  return {(bits & kFractionMask) | (kFractionMask + 1),
          biased - kMaxLeadingExponent - (kSignificandBits - 1)};
}

}  // namespace

double exactCube(double x) {
  if (x == 0.0 || !std::isfinite(x)) {
    return x * x * x;  // exact, sign of zero included
  }
  const BinaryParts parts = binaryPartsOf(x);
  // significand^3 < 2^159: computed as high × 2^64 + low, and `low` only
  // matters as a non-zero fraction below the bits that are rounded.
  const UInt128 square = UInt128{parts.significand} * parts.significand;
  const UInt128 lowProduct = UInt128{static_cast<std::uint64_t>(square)} * parts.significand;
  const UInt128 high = (square >> 64) * parts.significand + (lowProduct >> 64);
  const bool lowBits = static_cast<std::uint64_t>(lowProduct) != 0;
  const double magnitude = roundToDouble(high, lowBits, 3 * parts.exponent + 64);
  return x < 0.0 ? -magnitude : magnitude;
}

}  // namespace vornell
