// Exact binary arithmetic on doubles, done with integers so that the result
// is the same bit for bit with every compiler and C library.
#pragma once

namespace vornell {

// x^3 correctly rounded: the exact cube rounded once to the nearest double,
// ties to even, exactly what a perfect general power function gives. The
// exact cube of the 53-bit significand is formed in integers and rounded
// once, subnormal results included; a cube beyond the double range gives an
// infinity of its sign. It calls neither the C library's pow, whose accuracy
// differs from one platform to another (one unit in the last place is enough
// to move a five-place result), nor x * x * x, which rounds twice. (A square
// needs neither: x * x is correctly rounded.)
//
//   exactCube(-3) == -27       exactCube(-0.0) == -0.0
//   exactCube(0x1p-358) == 0x1p-1074 (the smallest subnormal)
//   exactCube(0x1p342) == +infinity
// Infinities and NaN follow the usual rules of multiplication.
double exactCube(double x);

}  // namespace vornell
