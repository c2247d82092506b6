// The correctly rounded cube: hard cases, and a million random values against
// the exact cube rounded by an independent route.
#include <QTest>
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "core/exact_power.h"
#include "test_support.h"

using vornell::test::exact;

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// x^3 rounded to nearest by a route of its own: the exact cube of the
// significand in 32-bit limbs (least significant first), its top 64 bits with
// every lower bit folded into the last one (round to odd), which the
// hardware's conversion from a 64-bit integer then rounds correctly; scaling
// by a power of two is exact as long as the result is a normal double.
double referenceCube(double x) {
  constexpr int n = 3;
  int e = 0;
  const auto m = static_cast<std::uint64_t>(std::ldexp(std::frexp(std::fabs(x), &e), 53));
  std::array<std::uint64_t, 6> limbs{1};
  for (int k = 0; k < n; ++k) {  // schoolbook: limbs × m
    std::array<std::uint64_t, 6> product{};
    for (std::size_t j = 0; j < 2; ++j) {
      std::uint64_t carry = 0;
      for (std::size_t i = 0; i + j < 6; ++i) {
        const std::uint64_t sum =
            limbs[i] * ((m >> (32 * j)) & 0xFFFFFFFFu) + product[i + j] + carry;
        product[i + j] = sum & 0xFFFFFFFFu;
        carry = sum >> 32;
      }
    }
    limbs = product;
  }
  std::size_t topLimb = 5;
  while (limbs[topLimb] == 0) {
    --topLimb;
  }
  const int shift = std::max(
      0, 32 * static_cast<int>(topLimb) + static_cast<int>(std::bit_width(limbs[topLimb])) - 64);
  std::uint64_t bits = 0;
  for (std::size_t i = 0; i <= topLimb; ++i) {
    const int at = static_cast<int>(32 * i) - shift;  // where the limb's lowest bit lands
    bits |= at >= 0 ? limbs[i] << at : at > -32 ? limbs[i] >> -at : 0;
    const std::uint64_t lost = at >= 0 ? 0 : at > -32 ? limbs[i] & ((1u << -at) - 1) : limbs[i];
    bits |= lost != 0 ? 1 : 0;
  }
  const double magnitude = std::ldexp(static_cast<double>(bits), shift + n * (e - 53));
  return x < 0 ? -magnitude : magnitude;
}

}  // namespace

class ExactCubeTest : public QObject {
  Q_OBJECT

 private slots:
  void hardCases_data();
  void hardCases();
  void agreesWithTheExactCube();
};

void ExactCubeTest::hardCases_data() {
  QTest::addColumn<double>("x");
  QTest::addColumn<double>("cube");

  QTest::newRow("zero") << 0.0 << 0.0;
  QTest::newRow("negative zero") << -0.0 << -0.0;
  QTest::newRow("minus one") << -1.0 << -1.0;
  QTest::newRow("two") << 2.0 << 8.0;
  QTest::newRow("half") << 0.5 << 0.125;
  // Where a pow that is a unit off, or two rounded products, go wrong.
  QTest::newRow("pow one unit low") << -0x1.1a19f5dc234e4p+0 << -0x1.568f31c1aa7f1p+0;
  QTest::newRow("x*x*x one unit low") << 0x1.725843d710d6bp-1 << 0x1.838877a117f34p-2;
  // Cubes of 54 bits lie exactly halfway: ties to even.
  QTest::newRow("cube tie, up") << 0x1.ffff8p-1 << 0x1.fffe800060000p-1;
  QTest::newRow("cube tie, down") << 0x1.fffe8p-1 << 0x1.fffb80035fff2p-1;
  // Subnormal results and the two sides of their rounding to zero.
  QTest::newRow("cube is the smallest subnormal") << 0x1p-358 << 0x1p-1074;
  QTest::newRow("cube above half the smallest subnormal") << 0x1.cp-359 << 0x1p-1074;
  QTest::newRow("cube of half the smallest subnormal, to even") << -0x1p-359 << -0.0;
  // Halfway in its upper 95 bits, above halfway by its lowest 64.
  QTest::newRow("cube just above a subnormal tie")
      << 0x1.0000000000003p-341 << 0x0.8000000000005p-1022;
  // Huge I: the last finite cube and the first beyond the range.
  QTest::newRow("largest finite cube") << 0x1.428a2f98d728ap+341 << 0x1.ffffffffffffcp+1023;
  QTest::newRow("cube beyond the range") << -0x1.428a2f98d728bp+341 << -kInfinity;
  QTest::newRow("infinity") << -kInfinity << -kInfinity;
}

void ExactCubeTest::hardCases() {
  QFETCH(double, x);
  QFETCH(double, cube);
  QCOMPARE(exact(vornell::exactCube(x)), exact(cube));
}

void ExactCubeTest::agreesWithTheExactCube() {
  // Random significands over the exponents whose cubes are normal, with odd
  // significands of 18 bits among them, whose cubes are ties or lie next to
  // them.
  std::mt19937_64 random(8);
  std::uniform_int_distribution<int> exponent(-340, 340);
  std::uniform_int_distribution<int> nearOne(-4, 2);
  for (int i = 0; i < 1000000; ++i) {
    const std::uint64_t bits = random();
    const auto significand = static_cast<double>((bits >> 11) | (std::uint64_t{1} << 52));
    double x = std::ldexp(significand, (i % 2 == 0 ? exponent(random) : nearOne(random)) - 52);
    if (i % 8 == 1) {
      const int width = 18;
      x = std::ldexp(static_cast<double>((bits >> (64 - width)) | 1u), nearOne(random) - width);
      x = std::nextafter(x, i % 3 == 0 ? x : (bits & 1) != 0 ? 0.0 : 2.0);
    }
    x = (bits >> 10) % 2 == 0 ? x : -x;
    const double cube = vornell::exactCube(x);
    const double reference = referenceCube(x);
    if (std::bit_cast<std::uint64_t>(cube) != std::bit_cast<std::uint64_t>(reference)) {
      QFAIL(exact(x) + " cubed: " + exact(cube) + " instead of " + exact(reference));
    }
  }
}

VORNELL_CORE_TEST_MAIN(ExactCubeTest)
#include "tst_exact_cube.moc"
