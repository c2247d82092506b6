// Reading, station comparison, rounding and writing of numbers.
#include <QTest>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/numeric_text.h"
#include "test_support.h"

using vornell::test::exact;
using vornell::test::failureOf;
using vornell::test::view;

namespace {

QByteArray repeated(char c, qsizetype count) {
  return QByteArray(count, c);
}

}  // namespace

class NumericTextTest : public QObject {
  Q_OBJECT

 private slots:
  void readNumber_data();
  void readNumber();
  void readNumberOverflow_data();
  void readNumberOverflow();
  void readNumberOfAMegabyte();

  void stationsDiffer_data();
  void stationsDiffer();
  void stationsDifferAgreesWithFifteenDigitText();
  void stationsOutOfRange_data();
  void stationsOutOfRange();

  void roundToFivePlaces_data();
  void roundToFivePlaces();
  void roundToFivePlacesAgreesWithDecimalRounding();

  void numberToText_data();
  void numberToText();
  void numberToTextRejectsNonFinite_data();
  void numberToTextRejectsNonFinite();
  void numberToTextAgreesWithGeneralFormat();
  void writtenNumbersReadBackExactly();
};

void NumericTextTest::readNumber_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<double>("expected");

  // Blanks: space, tab and line feed vanish wherever they are; nothing else does.
  QTest::newRow("empty") << QByteArray("") << 0.0;
  QTest::newRow("only blanks") << QByteArray(" \t\n ") << 0.0;
  QTest::newRow("padded") << QByteArray("  12.5  ") << 12.5;
  QTest::newRow("space inside") << QByteArray("12 345.6") << 12345.6;
  QTest::newRow("sign space digit") << QByteArray("- 3") << -3.0;
  QTest::newRow("tab and line feed inside") << QByteArray("1\t2\n3") << 123.0;
  QTest::newRow("blanks inside exponent") << QByteArray("1 e - 3") << 0.001;
  QTest::newRow("carriage return ends") << QByteArray("1\r2") << 1.0;

  // Shape of a decimal number.
  QTest::newRow("integer") << QByteArray("120") << 120.0;
  QTest::newRow("plus sign") << QByteArray("+5") << 5.0;
  QTest::newRow("leading point") << QByteArray(".5") << 0.5;
  QTest::newRow("trailing point") << QByteArray("5.") << 5.0;
  QTest::newRow("negative leading point") << QByteArray("-.25") << -0.25;
  QTest::newRow("plus leading point") << QByteArray("+.5") << 0.5;
  QTest::newRow("comma ends") << QByteArray("1,234") << 1.0;
  QTest::newRow("second point ends") << QByteArray("1.2.3") << 1.2;
  QTest::newRow("lone sign") << QByteArray("-") << 0.0;
  QTest::newRow("lone point") << QByteArray(".") << 0.0;
  QTest::newRow("double sign") << QByteArray("--5") << 0.0;
  QTest::newRow("plus then minus") << QByteArray("+-5") << 0.0;
  QTest::newRow("minus then plus") << QByteArray("-+5") << 0.0;
  QTest::newRow("double plus") << QByteArray("++5") << 0.0;
  QTest::newRow("station style") << QByteArray("K1+200") << 0.0;
  QTest::newRow("letter first") << QByteArray("e5") << 0.0;
  QTest::newRow("trailing junk") << QByteArray("12abc") << 12.0;
  QTest::newRow("negative zero reads zero") << QByteArray("-0") << 0.0;
  QTest::newRow("full-width digits are not digits")
      << QByteArray("\xEF\xBC\x91\xEF\xBC\x92") << 0.0;

  // Exponent.
  QTest::newRow("exponent") << QByteArray("1e3") << 1000.0;
  QTest::newRow("capital exponent") << QByteArray("1E3") << 1000.0;
  QTest::newRow("signed exponent") << QByteArray("2.5e-2") << 0.025;
  QTest::newRow("plus exponent") << QByteArray("1e+2") << 100.0;
  QTest::newRow("marker without digits") << QByteArray("1e") << 1.0;
  QTest::newRow("marker and sign without digits") << QByteArray("1e+") << 1.0;
  QTest::newRow("D is no exponent marker") << QByteArray("1d3") << 1.0;
  QTest::newRow("fractional exponent stops") << QByteArray("1.5e2.5") << 150.0;
  QTest::newRow("zero with huge exponent") << QByteArray("0e999999") << 0.0;
  QTest::newRow("exponent of twenty digits underflows")
      << QByteArray("1e-99999999999999999999") << 0.0;
  QTest::newRow("exponent with leading zeros")
      << QByteArray("1e0000000000000000000000002") << 100.0;
  QTest::newRow("exponent offsets long zeros")
      << QByteArray("0.") + repeated('0', 400) + "15e402" << 15.0;

  // What strtod would accept but a calculator box does not.
  QTest::newRow("inf") << QByteArray("inf") << 0.0;
  QTest::newRow("nan") << QByteArray("nan") << 0.0;
  QTest::newRow("hex float") << QByteArray("0x10") << 0.0;

  // Correct rounding, at the edges of the double range and with many digits.
  QTest::newRow("one tenth") << QByteArray("0.1") << 0.1;
  QTest::newRow("largest double") << QByteArray("1.7976931348623157e308")
                                  << std::numeric_limits<double>::max();
  QTest::newRow("just below overflow rounds down")
      << QByteArray("1.797693134862315807e308") << std::numeric_limits<double>::max();
  QTest::newRow("smallest subnormal")
      << QByteArray("4.9e-324") << std::numeric_limits<double>::denorm_min();
  QTest::newRow("above half the smallest subnormal")
      << QByteArray("2.4703282292062328e-324") << std::numeric_limits<double>::denorm_min();
  QTest::newRow("below half the smallest subnormal underflows")
      << QByteArray("2.4703282292062327e-324") << 0.0;
  QTest::newRow("negative underflow") << QByteArray("-1e-400") << 0.0;
  QTest::newRow("smallest normal")
      << QByteArray("2.2250738585072014e-308") << std::numeric_limits<double>::min();
  QTest::newRow("800 zeros after the point then 1")
      << QByteArray(".") + repeated('0', 800) + "1" << 0.0;
  QTest::newRow("300 zeros after the point then 1")
      << QByteArray(".") + repeated('0', 299) + "1" << 1e-300;
  QTest::newRow("308 digits before the point") << QByteArray("1") + repeated('0', 307) << 1e307;
  QTest::newRow("500 threes after the point") << QByteArray("0.") + repeated('3', 500) << 1.0 / 3.0;
  QTest::newRow("tie rounds to even") << QByteArray("9007199254740993") << 9007199254740992.0;
  QTest::newRow("tie rounds to even, upward")
      << QByteArray("9007199254740995") << 9007199254740996.0;
  QTest::newRow("a far non-zero digit breaks the tie")
      << QByteArray("9007199254740993.") + repeated('0', 1000) + "1" << 9007199254740994.0;
  QTest::newRow("far zero digits keep the tie")
      << QByteArray("9007199254740993") + repeated('0', 1000) + "e-1000" << 9007199254740992.0;
  QTest::newRow("a far non-zero integer digit breaks the tie")
      << QByteArray("9007199254740993") + repeated('0', 1000) + "1e-1001" << 9007199254740994.0;

  // &H and &O: unsigned integers, correctly rounded beyond 53 bits.
  QTest::newRow("hex") << QByteArray("&H10") << 16.0;
  QTest::newRow("hex lower case") << QByteArray("&hff") << 255.0;
  QTest::newRow("hex with blanks") << QByteArray(" & H 1 0 ") << 16.0;
  QTest::newRow("hex stops at non-digit") << QByteArray("&H1G") << 1.0;
  QTest::newRow("hex without digits") << QByteArray("&H") << 0.0;
  QTest::newRow("hex is unsigned") << QByteArray("&HFFFF") << 65535.0;
  QTest::newRow("hex of 64 bits") << QByteArray("&HFFFFFFFFFFFFFFFF") << 18446744073709551616.0;
  QTest::newRow("hex tie to even") << QByteArray("&H20000000000001") << 9007199254740992.0;
  QTest::newRow("hex rounds up") << QByteArray("&H20000000000003") << 9007199254740996.0;
  QTest::newRow("hex leading zeros") << QByteArray("&H") + repeated('0', 5000) + "1" << 1.0;
  QTest::newRow("hex of 1020 bits")
      << QByteArray("&H1") + repeated('0', 255) << std::ldexp(1.0, 1020);
  QTest::newRow("octal") << QByteArray("&O17") << 15.0;
  QTest::newRow("octal lower case") << QByteArray("&o777") << 511.0;
  QTest::newRow("octal stops at 8") << QByteArray("&O78") << 7.0;
  QTest::newRow("octal without digits") << QByteArray("&O8") << 0.0;
  QTest::newRow("octal tie to even")
      << QByteArray("&O4") + repeated('0', 16) + "1" << 9007199254740992.0;
  QTest::newRow("octal rounds up")
      << QByteArray("&O4") + repeated('0', 16) + "3" << 9007199254740996.0;
  QTest::newRow("octal of 1021 bits")
      << QByteArray("&O1") + repeated('0', 340) << std::ldexp(1.0, 1020);
  QTest::newRow("ampersand alone") << QByteArray("&10") << 0.0;
  QTest::newRow("sign before ampersand") << QByteArray("-&H10") << 0.0;
}

void NumericTextTest::readNumber() {
  QFETCH(QByteArray, text);
  QFETCH(double, expected);
  QCOMPARE(exact(vornell::readNumber(view(text))), exact(expected));
}

void NumericTextTest::readNumberOverflow_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::newRow("1e400") << QByteArray("1e400");
  QTest::newRow("-1e400") << QByteArray("-1e400");
  QTest::newRow("exponent of twenty digits") << QByteArray("1e99999999999999999999");
  QTest::newRow("just above the largest double") << QByteArray("1.7976931348623159e308");
  QTest::newRow("400 digits before the point") << QByteArray("1") + repeated('0', 399);
  QTest::newRow("overflow after blanks") << QByteArray(" 1 e 4 0 0 ");
  QTest::newRow("hex of 1024 bits") << QByteArray("&HF") + repeated('F', 255);
  QTest::newRow("hex of a megabyte") << QByteArray("&H") + repeated('7', 1 << 20);
  QTest::newRow("octal of 1027 bits") << QByteArray("&O1") + repeated('0', 342);
}

void NumericTextTest::readNumberOverflow() {
  QFETCH(QByteArray, text);
  QCOMPARE(failureOf([&] { vornell::readNumber(view(text)); }), QByteArray("Overflow"));
}

void NumericTextTest::readNumberOfAMegabyte() {
  // A pasted megabyte: digits that cancel out through the exponent, and
  // blanks everywhere.
  const QByteArray digits = "1" + repeated('0', 1 << 20) + "e-1048576";
  QCOMPARE(exact(vornell::readNumber(view(digits))), exact(1.0));

  QByteArray spaced;
  for (int i = 0; i < (1 << 19); ++i) {
    spaced += i % 2 == 0 ? ' ' : '\t';
  }
  spaced += "42";
  QCOMPARE(exact(vornell::readNumber(view(spaced))), exact(42.0));

  const QByteArray fraction = "0." + repeated('9', 1 << 20);
  QCOMPARE(exact(vornell::readNumber(view(fraction))), exact(1.0));
}

void NumericTextTest::stationsDiffer_data() {
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("b");
  QTest::addColumn<bool>("differ");

  QTest::newRow("same") << 100.0 << 100.0 << false;
  QTest::newRow("100 and 100.000001") << 100.0 << 100.000001 << true;
  QTest::newRow("agree in 15 digits") << 0.1 << 0.1000000000000001 << false;
  QTest::newRow("sum with representation error") << 0.1 + 0.2 << 0.3 << false;
  QTest::newRow("15th digit differs") << 100.0 << 100.000000000001 << true;
  QTest::newRow("16th digit differs") << 100.0 << 100.0000000000001 << false;
  QTest::newRow("15 digit integers") << 123456789012345.0 << 123456789012346.0 << true;
  QTest::newRow("16 digit integers rounding alike")
      << 1234567890123456.0 << 1234567890123457.0 << false;
  QTest::newRow("16 digit integers rounding apart")
      << 1234567890123454.0 << 1234567890123456.0 << true;
  QTest::newRow("opposite signs") << -5.0 << 5.0 << true;
  QTest::newRow("signed zeros") << 0.0 << -0.0 << false;
  QTest::newRow("negative stations") << -1000.5 << -1000.25 << true;
  QTest::newRow("below 28 places is zero") << 1e-30 << 0.0 << false;
  QTest::newRow("two tiny stations") << 1e-30 << 2e-30 << false;
  QTest::newRow("tiny below half a unit of place 28") << 4e-29 << 0.0 << false;
  QTest::newRow("tiny above half a unit of place 28") << 6e-29 << 0.0 << true;
  QTest::newRow("exactly 1e-28") << 1e-28 << 0.0 << true;
  QTest::newRow("28 places merge") << 1.23456e-25 << 1.23457e-25 << false;
  QTest::newRow("28 places separate") << 1.2344e-25 << 1.2346e-25 << true;
  QTest::newRow("near the limit, equal") << 7.9228162514264e28 << 7.922816251426401e28 << false;
  QTest::newRow("near the limit, different") << 7.9228162514264e28 << 7.9228162514263e28 << true;
  QTest::newRow("largest station and zero") << 79228162514264328797450928128.0 << 0.0 << true;
}

void NumericTextTest::stationsDiffer() {
  QFETCH(double, a);
  QFETCH(double, b);
  QFETCH(bool, differ);
  QCOMPARE(vornell::stationsDiffer(a, b), differ);
  QCOMPARE(vornell::stationsDiffer(b, a), differ);
}

void NumericTextTest::stationsDifferAgreesWithFifteenDigitText() {
  // Above 1e-13 the 28-place limit plays no part, so two stations differ
  // exactly when their 15-significant-digit texts differ. Pairs at every
  // relative distance around the 15th digit exercise both the quick and the
  // exact decision.
  std::mt19937_64 random(20261206);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-13, 27);
  std::uniform_int_distribution<int> distance(11, 17);
  const auto fifteenDigits = [](double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value,
                                   std::chars_format::scientific, 14)
                         .ptr;
    return std::string(text.data(), end);
  };
  for (int i = 0; i < 100000; ++i) {
    const double a = mantissa(random) * std::pow(10.0, exponent(random));
    const double b = a * (1.0 + mantissa(random) * std::pow(10.0, -distance(random)));
    const bool expected = fifteenDigits(a) != fifteenDigits(b);
    QVERIFY(!vornell::stationsDiffer(a, a));
    QVERIFY2(vornell::stationsDiffer(a, b) == expected,
             qPrintable(QString::number(a, 'g', 17) + " vs " + QString::number(b, 'g', 17)));
    QCOMPARE(vornell::stationsDiffer(-b, -a), expected);
  }
}

void NumericTextTest::stationsOutOfRange_data() {
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("b");
  QTest::newRow("1e30 first") << 1e30 << 0.0;
  QTest::newRow("1e30 second") << 0.0 << 1e30;
  QTest::newRow("negative") << -1e29 << 0.0;
  QTest::newRow("2^96, just above the largest decimal") << 79228162514264337593543950336.0 << 0.0;
  QTest::newRow("equal but too large") << 1e30 << 1e30;
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0.0;
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0;
}

void NumericTextTest::stationsOutOfRange() {
  QFETCH(double, a);
  QFETCH(double, b);
  QCOMPARE(failureOf([&] { vornell::stationsDiffer(a, b); }), QByteArray("Overflow"));
}

void NumericTextTest::roundToFivePlaces_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<double>("expected");

  QTest::newRow("3.333333333") << 3.333333333 << 3.33333;
  QTest::newRow("1199.999999") << 1199.999999 << 1200.0;
  QTest::newRow("0.000004") << 0.000004 << 0.0;
  QTest::newRow("0.00005") << 0.00005 << 0.00005;
  QTest::newRow("0.000015 is above its half") << 0.000015 << 0.00002;
  // Exact halves at the fifth place are odd multiples of 1/64.
  QTest::newRow("1/64 to even, down") << 0.015625 << 0.01562;
  QTest::newRow("3/64 to even, up") << 0.046875 << 0.04688;
  QTest::newRow("5/64 to even, down") << 0.078125 << 0.07812;
  QTest::newRow("negative half") << -0.015625 << -0.01562;
  QTest::newRow("parabolic example") << 4.046875 << 4.04688;
  QTest::newRow("half with integer part") << 12345.015625 << 12345.01562;
  QTest::newRow("half at 4e10") << 40000000000.015625 << 40000000000.01562;
  QTest::newRow("half at 5e10") << 50000000000.015625 << 50000000000.01562;
  QTest::newRow("half at 5e10, up") << 50000000000.046875 << 50000000000.04688;
  QTest::newRow("just above a half") << std::nextafter(0.015625, 1.0) << 0.01563;
  QTest::newRow("just below a half") << std::nextafter(0.046875, 0.0) << 0.04687;
  QTest::newRow("just below a whole") << 0.99999999999999989 << 1.0;
  QTest::newRow("tiny negative keeps sign of zero") << -2.5e-6 << -0.0;
  QTest::newRow("below 2^52") << 4503599627370495.5 << 4503599627370495.5;
  QTest::newRow("whole") << 9007199254740993.0 << 9007199254740993.0;
  QTest::newRow("1e305") << 1e305 << 1e305;
  QTest::newRow("largest double") << std::numeric_limits<double>::max()
                                  << std::numeric_limits<double>::max();
  QTest::newRow("negative zero") << -0.0 << -0.0;
}

void NumericTextTest::roundToFivePlaces() {
  QFETCH(double, value);
  QFETCH(double, expected);
  QCOMPARE(exact(vornell::roundToFivePlaces(value)), exact(expected));
}

void NumericTextTest::roundToFivePlacesAgreesWithDecimalRounding() {
  // The standard library's fixed notation rounds the exact binary value half
  // to even; reading its text back gives the reference result for any value.
  std::mt19937_64 random(64);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-8, 15);
  std::uniform_int_distribution<long long> whole(-4000000000000LL, 4000000000000LL);
  for (int i = 0; i < 200000; ++i) {
    // Alternate random magnitudes with exact halves k/2 * 1e-5 that are dyadic.
    const double value = i % 2 == 0 ? mantissa(random) * std::pow(10.0, exponent(random))
                                    : static_cast<double>(whole(random)) / 100.0 + 0.015625;
    std::array<char, 400> text{};
    const auto end =
        std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 5)
            .ptr;
    double reference = 0;
    std::from_chars(text.data(), end, reference);
    const double rounded = vornell::roundToFivePlaces(value);
    QVERIFY2(rounded == reference, qPrintable(QString::number(value, 'g', 17) + " -> " +
                                              QString::number(rounded, 'g', 17)));
  }
}

void NumericTextTest::numberToText_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QByteArray>("text");

  QTest::newRow("whole") << 12.0 << QByteArray("12");
  QTest::newRow("half") << 0.5 << QByteArray("0.5");
  QTest::newRow("negative") << -1.5 << QByteArray("-1.5");
  QTest::newRow("zero") << 0.0 << QByteArray("0");
  QTest::newRow("negative zero") << -0.0 << QByteArray("0");
  QTest::newRow("five places") << 3.33333 << QByteArray("3.33333");
  QTest::newRow("0.00012") << 0.00012 << QByteArray("0.00012");
  QTest::newRow("0.0001 is still fixed") << 0.0001 << QByteArray("0.0001");
  QTest::newRow("5E-05") << 0.00005 << QByteArray("5E-05");
  QTest::newRow("rounds up into fixed") << 0.000099999999999999995 << QByteArray("0.0001");
  QTest::newRow("14 is still fixed") << 100000000000000.0 << QByteArray("100000000000000");
  QTest::newRow("15 digits") << 999999999999999.0 << QByteArray("999999999999999");
  QTest::newRow("1E+15") << 1e15 << QByteArray("1E+15");
  QTest::newRow("rounds up into exponent") << 9999999999999998.0 << QByteArray("1E+16");
  QTest::newRow("15 significant digits")
      << 123456789012345678.0 << QByteArray("1.23456789012346E+17");
  QTest::newRow("two exponent digits") << 1.5e20 << QByteArray("1.5E+20");
  QTest::newRow("three exponent digits") << 1e305 << QByteArray("1E+305");
  QTest::newRow("tiny") << -1e-305 << QByteArray("-1E-305");
  QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min()
                             << QByteArray("4.94065645841247E-324");
  QTest::newRow("largest double") << std::numeric_limits<double>::max()
                                  << QByteArray("1.79769313486232E+308");
  QTest::newRow("representation error hidden") << 0.1 + 0.2 << QByteArray("0.3");
  QTest::newRow("fixed with 15 digits") << 1199.99999999999 << QByteArray("1199.99999999999");
  QTest::newRow("large result of a run") << 3.5e28 << QByteArray("3.5E+28");
}

void NumericTextTest::numberToText() {
  QFETCH(double, value);
  QFETCH(QByteArray, text);
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(value)), text);
}

void NumericTextTest::numberToTextRejectsNonFinite_data() {
  QTest::addColumn<double>("value");
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity();
  QTest::newRow("negative infinity") << -std::numeric_limits<double>::infinity();
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
}

void NumericTextTest::numberToTextRejectsNonFinite() {
  QFETCH(double, value);
  QCOMPARE(failureOf([&] { vornell::numberToText(value); }), QByteArray("FloatingPoint"));
}

void NumericTextTest::numberToTextAgreesWithGeneralFormat() {
  // The standard library's general format with 15 digits, exponent letter
  // aside, is the reference for every value, results of five places (which
  // are written without it) included.
  std::mt19937_64 random(15);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 16);
  for (int i = 0; i < 200000; ++i) {
    double value = mantissa(random) * std::pow(10.0, exponent(random));
    if (i % 2 == 0) {
      value = vornell::roundToFivePlaces(value);
    }
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value + 0.0,
                                   std::chars_format::general, 15)
                         .ptr;
    QByteArray reference(text.data(), end - text.data());
    reference.replace('e', 'E');
    QCOMPARE(QByteArray::fromStdString(vornell::numberToText(value)), reference);
  }
}

void NumericTextTest::writtenNumbersReadBackExactly() {
  // A written result read back and written again gives the same text, and a
  // five-place result reads back as the very same double.
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 50000; ++i) {
    const double value = mantissa(random) * std::pow(10.0, exponent(random));
    const std::string text = vornell::numberToText(value);
    QCOMPARE(vornell::numberToText(vornell::readNumber(text)), text);
    // Five places in at most 15 digits: the text identifies the double (a
    // negative zero is written, and so read back, as 0).
    const double result = vornell::roundToFivePlaces(mantissa(random) * std::pow(10.0, i % 15 - 6));
    QCOMPARE(exact(vornell::readNumber(vornell::numberToText(result))), exact(result + 0.0));
  }
}

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numeric_text.moc"
