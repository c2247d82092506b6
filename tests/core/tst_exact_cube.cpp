// The correctly rounded cube, where a pow a unit off, two rounded products,
// or a rounding of ties, subnormals or the range's end goes wrong.
#include <QTest>
#include <limits>

#include "core/exact_power.h"
#include "test_support.h"

using vornell::test::exact;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

class ExactCubeTest : public QObject {
  Q_OBJECT

 private slots:
  void hardCases_data();
  void hardCases();
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

VORNELL_CORE_TEST_MAIN(ExactCubeTest)
#include "tst_exact_cube.moc"
