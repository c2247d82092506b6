// Exact binary arithmetic on doubles, done with integers so that the result
// is the same bit for bit with every compiler and C library.
#pragma once

#include <cstdint>

namespace vornell {

// An unsigned integer wide enough for the exact product of two significands.
__extension__ typedef unsigned __int128 UInt128;

// The magnitude of a finite, non-zero double as significand × 2^exponent,
// the significand normalised to 53 bits (2^52 <= significand < 2^53),
// subnormals included. The sign is ignored.
struct BinaryParts {
  std::uint64_t significand = 0;
  int exponent = 0;
};
BinaryParts binaryPartsOf(double value);

// x^2 and x^3 correctly rounded: the exact power rounded once to the nearest
// double, ties to even, exactly what a perfect general power function gives.
// The exact power of the 53-bit significand is formed in integers and rounded
// once, subnormal results included; a power beyond the double range gives an
// infinity of its sign. Neither calls the C library's pow, whose accuracy
// differs from one platform to another (one unit in the last place is enough
// to move a five-place result), nor is it left to the compiler, which may
// replace pow(x, 2) by x * x in one build and not in another.
//
//   exactSquare(-3) == 9        exactCube(-3) == -27       exactCube(-0.0) == -0.0
//   exactCube(0x1p-358) == 0x1p-1074 (the smallest subnormal)
//   exactCube(0x1p342) == +infinity
// Infinities and NaN follow the usual rules of multiplication.
double exactSquare(double x);
double exactCube(double x);

}  // namespace vornell
