// The number conventions: reading, comparing stations, rounding and writing.
#include <QTest>
#include <cmath>
#include <limits>

#include "core/numeric_text.h"
#include "test_support.h"

using vornell::TextExtent;
Q_DECLARE_METATYPE(TextExtent)

using vornell::test::exact;
using namespace Qt::Literals::StringLiterals;

class ConventionsTest : public QObject {
  Q_OBJECT

 private slots:
  void reading_data();
  void reading();
  void stations_data();
  void stations();
  void rounding_data();
  void rounding();
  void writing_data();
  void writing();
};

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

QByteArray repeated(char c, int count) {
  return QByteArray(count, c);
}

}  // namespace

void ConventionsTest::reading_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("value");  // exactly, or "overflow"
  QTest::addColumn<TextExtent>("extent");
  const auto row = [](const QByteArray& text, const QByteArray& value, TextExtent extent) {
    QTest::newRow(text.left(30).constData()) << text << value << extent;
  };
  constexpr auto whole = TextExtent::Whole;
  constexpr auto unfinished = TextExtent::Unfinished;
  constexpr auto stopped = TextExtent::Stopped;
  // Blanks (space, tab, line feed) vanish wherever they are; nothing else does.
  row(" 12 345.6 "_ba, exact(12345.6), whole);
  row("- 3"_ba, exact(-3), whole);
  row("1\t2\n3"_ba, exact(123), whole);
  row("1\r2"_ba, exact(1), stopped);
  row(repeated(' ', 1 << 20) + "42", exact(42), whole);
  // The shape of a decimal number, and where a reading stops.
  row("+5"_ba, exact(5), whole);
  row("5."_ba, exact(5), whole);
  row("-.25"_ba, exact(-0.25), whole);
  row("-0"_ba, exact(0), whole);
  row("1,234.5"_ba, exact(1), stopped);
  row("12.3.4"_ba, exact(12.3), stopped);
  row("3.5 m"_ba, exact(3.5), stopped);
  row("+-5"_ba, exact(0), stopped);
  row("K12+345"_ba, exact(0), stopped);
  row("inf"_ba, exact(0), stopped);
  row("1e+x"_ba, exact(1), stopped);
  // Still being typed: more characters can make a number of it.
  row(""_ba, exact(0), unfinished);
  row("-"_ba, exact(0), unfinished);
  row("+ ."_ba, exact(0), unfinished);
  row("1e"_ba, exact(1), unfinished);
  row("12 e - "_ba, exact(12), unfinished);
  row("&"_ba, exact(0), unfinished);
  row("& o"_ba, exact(0), unfinished);
  // Exponents, and correct rounding with any number of digits.
  row("1e3"_ba, exact(1000), whole);
  row("0e999999"_ba, exact(0), whole);
  row("1e-99999999999999999999"_ba, exact(0), whole);
  row("0."_ba + repeated('0', 400) + "1", exact(0), whole);
  row("1.797693134862315807e308"_ba, exact(std::numeric_limits<double>::max()), whole);
  row("9007199254740993."_ba + repeated('0', 1000) + "1", exact(9007199254740994.0), whole);
  row("1"_ba + repeated('0', 1 << 20) + "e-1048576", exact(1), whole);
  // &H and &O: unsigned integers, correctly rounded beyond 53 bits.
  row(" & H 1 0 "_ba, exact(16), whole);
  row("&H1G"_ba, exact(1), stopped);
  row("-&H1"_ba, exact(0), stopped);
  row("&H20000000000001"_ba, exact(9007199254740992.0), whole);
  row("&H"_ba + repeated('0', 5000) + "1", exact(1), whole);
  row("&O78"_ba, exact(7), stopped);
  row("&O4"_ba + repeated('0', 16) + "1", exact(9007199254740992.0), whole);
  row("&O1"_ba + repeated('0', 341), exact(0x1p1023), whole);
  // Beyond the double range: no value, whatever the extent.
  row("1e400"_ba, "overflow"_ba, whole);
  row("-1e400,"_ba, "overflow"_ba, stopped);
  row("1.7976931348623159e308"_ba, "overflow"_ba, whole);
  row("&HF"_ba + repeated('F', 255), "overflow"_ba, whole);
  row("&O2"_ba + repeated('0', 341), "overflow"_ba, whole);
  row("&O1"_ba + repeated('7', 341), "overflow"_ba, whole);
  row("&O"_ba + repeated('7', 1000), "overflow"_ba, whole);
}

void ConventionsTest::reading() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, value);
  QFETCH(TextExtent, extent);
  const vornell::NumberReading reading = vornell::readNumber(text.toStdString());
  QCOMPARE(reading.value ? exact(*reading.value) : "overflow"_ba, value);
  QCOMPARE(reading.extent, extent);
}

void ConventionsTest::stations_data() {
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("b");
  QTest::addColumn<QByteArray>("outcome");  // "differ", "equal", or "incomparable"

  QTest::newRow("100 and 100.0") << 100.0 << 100.0 << "equal"_ba;
  QTest::newRow("100 and 100.000001") << 100.0 << 100.000001 << "differ"_ba;
  QTest::newRow("agree in 15 digits") << 0.1 << 0.1000000000000001 << "equal"_ba;
  QTest::newRow("4e-15 apart, 15 digits alike")
      << 1.00000000000004 << 1.000000000000044 << "equal"_ba;
  QTest::newRow("1e-14 apart") << 1.00000000000004 << 1.00000000000005 << "differ"_ba;
  QTest::newRow("opposite signs") << -5.0 << 5.0 << "differ"_ba;
  // At most 28 places: 1.1e-28 and 2.2e-28 keep one and two units there.
  QTest::newRow("below half a unit of place 28") << 4e-29 << 0.0 << "equal"_ba;
  QTest::newRow("above half a unit of place 28") << 6e-29 << 0.0 << "differ"_ba;
  QTest::newRow("one and two units of place 28") << 1.1e-28 << 2.2e-28 << "differ"_ba;
  QTest::newRow("halves of place 28 to even") << 1.5e-28 << 2.5e-28 << "equal"_ba;
  QTest::newRow("largest station") << 79228162514264328797450928128.0 << 0.0 << "differ"_ba;
  QTest::newRow("2^96, above the largest decimal")
      << 79228162514264337593543950336.0 << 0.0 << "incomparable"_ba;
  QTest::newRow("infinity") << -kInfinity << 0.0 << "incomparable"_ba;
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0 << "incomparable"_ba;
}

void ConventionsTest::stations() {
  QFETCH(double, a);
  QFETCH(double, b);
  QFETCH(QByteArray, outcome);
  for (const auto& [first, second] : {std::pair(a, b), std::pair(b, a)}) {
    const bool comparable = vornell::stationComparable(first) && vornell::stationComparable(second);
    const QByteArray differ = vornell::stationsDiffer(first, second) ? "differ"_ba : "equal"_ba;
    QCOMPARE(comparable ? differ : "incomparable"_ba, outcome);
  }
}

void ConventionsTest::rounding_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<double>("expected");

  QTest::newRow("3.333333333") << 3.333333333 << 3.33333;
  QTest::newRow("1199.999999") << 1199.999999 << 1200.0;
  QTest::newRow("0.000004") << 0.000004 << 0.0;
  QTest::newRow("0.000015 is above its half") << 0.000015 << 0.00002;
  // Exact halves at the fifth place are odd multiples of 1/64.
  QTest::newRow("1/64 to even, down") << 0.015625 << 0.01562;
  QTest::newRow("3/64 to even, up") << -0.046875 << -0.04688;
  QTest::newRow("half at 5e10") << 50000000000.015625 << 50000000000.01562;
  QTest::newRow("just above a half") << std::nextafter(0.015625, 1.0) << 0.01563;
  QTest::newRow("tiny negative keeps the sign of zero") << -2.5e-6 << -0.0;
  QTest::newRow("below 2^52, whole") << 4503599627370495.5 << 4503599627370495.5;
  QTest::newRow("infinity") << -kInfinity << -kInfinity;
}

void ConventionsTest::rounding() {
  QFETCH(double, value);
  QFETCH(double, expected);
  QCOMPARE(exact(vornell::roundToFivePlaces(value)), exact(expected));
}

void ConventionsTest::writing_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QByteArray>("text");

  QTest::newRow("negative zero") << -0.0 << "0"_ba;
  QTest::newRow("0.5") << 0.5 << "0.5"_ba;
  QTest::newRow("a five-place result") << -1604.86667 << "-1604.86667"_ba;
  QTest::newRow("0.0001 is still fixed") << 0.0001 << "0.0001"_ba;
  QTest::newRow("5E-05") << 0.00005 << "5E-05"_ba;
  QTest::newRow("rounds up into fixed") << 0.000099999999999999995 << "0.0001"_ba;
  QTest::newRow("14 is still fixed") << 100000000000000.0 << "100000000000000"_ba;
  QTest::newRow("rounds up into exponent") << 999999999999999.9 << "1E+15"_ba;
  QTest::newRow("15 significant digits") << 123456789012345678.0 << "1.23456789012346E+17"_ba;
  QTest::newRow("three exponent digits") << 1e305 << "1E+305"_ba;
  QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min()
                             << "4.94065645841247E-324"_ba;
}

void ConventionsTest::writing() {
  QFETCH(double, value);
  QFETCH(QByteArray, text);
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(value)), text);
}

VORNELL_CORE_TEST_MAIN(ConventionsTest)
#include "tst_conventions.moc"
