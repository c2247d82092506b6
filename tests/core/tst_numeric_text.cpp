// Reading, station comparison, rounding and writing of numbers.
#include <QTest>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "core/numeric_text.h"
#include "test_support.h"

using vornell::test::exact;
using vornell::test::failureOf;
using vornell::test::toChars;
using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray repeated(char c, int count) {
  return QByteArray(count, c);
}

}  // namespace

class NumericTextTest : public QObject {
  Q_OBJECT

 private slots:
  void readNumber_data();
  void readNumber();
  void readingOf_data();
  void readingOf();

  void stationsDiffer_data();
  void stationsDiffer();
  void stationsDifferAgreesWithFifteenDigitText();

  void roundToFivePlaces_data();
  void roundToFivePlaces();

  void numberToText_data();
  void numberToText();
  void roundingAndWritingAgreeWithTheStandardLibrary();
};

void NumericTextTest::readNumber_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("expected");  // exactly, or the failure

  // Blanks: space, tab and line feed vanish wherever they are; nothing else does.
  QTest::newRow("empty") << ""_ba << exact(0.0);
  QTest::newRow("padded") << "  12.5  "_ba << exact(12.5);
  QTest::newRow("space inside") << "12 345.6"_ba << exact(12345.6);
  QTest::newRow("sign space digit") << "- 3"_ba << exact(-3.0);
  QTest::newRow("tab and line feed inside") << "1\t2\n3"_ba << exact(123.0);
  QTest::newRow("carriage return ends") << "1\r2"_ba << exact(1.0);

  // Shape of a decimal number.
  QTest::newRow("plus sign") << "+5"_ba << exact(5.0);
  QTest::newRow("trailing point") << "5."_ba << exact(5.0);
  QTest::newRow("negative leading point") << "-.25"_ba << exact(-0.25);
  QTest::newRow("comma ends") << "1,234"_ba << exact(1.0);
  QTest::newRow("second point ends") << "1.2.3"_ba << exact(1.2);
  QTest::newRow("lone sign") << "-"_ba << exact(0.0);
  QTest::newRow("lone point") << "."_ba << exact(0.0);
  QTest::newRow("plus then minus") << "+-5"_ba << exact(0.0);
  QTest::newRow("station style") << "K1+200"_ba << exact(0.0);
  QTest::newRow("negative zero reads zero") << "-0"_ba << exact(0.0);

  // Exponent.
  QTest::newRow("exponent") << "1e3"_ba << exact(1000.0);
  QTest::newRow("marker without digits") << "1e"_ba << exact(1.0);
  QTest::newRow("D is no exponent marker") << "1d3"_ba << exact(1.0);
  QTest::newRow("zero with huge exponent") << "0e999999"_ba << exact(0.0);
  QTest::newRow("exponent of twenty digits underflows")
      << "1e-99999999999999999999"_ba << exact(0.0);

  // What strtod would accept but a calculator box does not.
  QTest::newRow("inf") << "inf"_ba << exact(0.0);

  // Correct rounding, at the edges of the double range and with many digits.
  QTest::newRow("just below overflow rounds down")
      << "1.797693134862315807e308"_ba << exact(std::numeric_limits<double>::max());
  QTest::newRow("negative underflow") << "-1e-400"_ba << exact(0.0);
  QTest::newRow("a far non-zero digit breaks the tie")
      << "9007199254740993."_ba + repeated('0', 1000) + "1" << exact(9007199254740994.0);

  // A pasted megabyte: digits that cancel out through the exponent, blanks.
  QTest::newRow("a megabyte of digits")
      << "1"_ba + repeated('0', 1 << 20) + "e-1048576" << exact(1.0);
  QTest::newRow("a megabyte of blanks") << repeated(' ', 1 << 20) + "42" << exact(42.0);

  // &H and &O: unsigned integers, correctly rounded beyond 53 bits.
  QTest::newRow("hex with blanks") << " & H 1 0 "_ba << exact(16.0);
  QTest::newRow("hex stops at non-digit") << "&H1G"_ba << exact(1.0);
  QTest::newRow("hex without digits") << "&H"_ba << exact(0.0);
  QTest::newRow("hex is unsigned") << "&HFFFF"_ba << exact(65535.0);
  QTest::newRow("hex tie to even") << "&H20000000000001"_ba << exact(9007199254740992.0);
  QTest::newRow("hex leading zeros") << "&H"_ba + repeated('0', 5000) + "1" << exact(1.0);
  QTest::newRow("octal lower case") << "&o777"_ba << exact(511.0);
  QTest::newRow("octal stops at 8") << "&O78"_ba << exact(7.0);
  QTest::newRow("octal tie to even")
      << "&O4"_ba + repeated('0', 16) + "1" << exact(9007199254740992.0);
  // 342 octal digits hold 1024 bits when the first is 1: 2^1023, a double.
  QTest::newRow("octal of 1024 bits") << "&O1"_ba + repeated('0', 341) << exact(0x1p1023);
  QTest::newRow("ampersand alone") << "&10"_ba << exact(0.0);
  QTest::newRow("sign before ampersand") << "-&H10"_ba << exact(0.0);
  // Beyond the double range.
  QTest::newRow("1e400") << "1e400"_ba
                         << "Overflow"_ba;
  QTest::newRow("-1e400") << "-1e400"_ba
                          << "Overflow"_ba;
  QTest::newRow("exponent of twenty digits") << "1e99999999999999999999"_ba
                                             << "Overflow"_ba;
  QTest::newRow("just above the largest double") << "1.7976931348623159e308"_ba
                                                 << "Overflow"_ba;
  QTest::newRow("400 digits before the point") << "1"_ba + repeated('0', 399) << "Overflow"_ba;
  QTest::newRow("hex of 1024 bits") << "&HF"_ba + repeated('F', 255) << "Overflow"_ba;
  QTest::newRow("hex of a megabyte") << "&H"_ba + repeated('7', 1 << 20) << "Overflow"_ba;
  QTest::newRow("octal of 1025 bits") << "&O2"_ba + repeated('0', 341) << "Overflow"_ba;
  QTest::newRow("octal of 1024 bits rounding up to 2^1024")
      << "&O1"_ba + repeated('7', 341) << "Overflow"_ba;
  QTest::newRow("octal of 343 digits") << "&O1"_ba + repeated('0', 342) << "Overflow"_ba;
}

void NumericTextTest::readNumber() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, expected);
  double value = 0;
  const QByteArray failure = failureOf([&] { value = vornell::readNumber(text.toStdString()); });
  QCOMPARE(failure == "none" ? exact(value) : failure, expected);
}

void NumericTextTest::readingOf_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("extent");  // whole, unfinished, or stopped
  QTest::addColumn<int>("stop");           // stopped: where; otherwise the text's size

  const auto whole = [](const QByteArray& text) {
    QTest::newRow(("whole: "_ba + text.left(24)).constData())
        << text << "whole"_ba << int(text.size());
  };
  const auto unfinished = [](const QByteArray& text) {
    QTest::newRow(("unfinished: "_ba + text.left(24)).constData())
        << text << "unfinished"_ba << int(text.size());
  };
  const auto stopped = [](const QByteArray& text, int stop) {
    QTest::newRow(("stopped: "_ba + text.left(24)).constData()) << text << "stopped"_ba << stop;
  };
  // Numbers of every shape, with blanks anywhere.
  for (const QByteArray& text : {"0"_ba,          "12.5"_ba,
                                 " 12 345.6 "_ba, "- 3"_ba,
                                 "1\t2\n3"_ba,    "+5"_ba,
                                 "1."_ba,         "-.25"_ba,
                                 ".5"_ba,         "1e3"_ba,
                                 "1.e-3"_ba,      "-.5E+10"_ba,
                                 "1e400"_ba,      "1e-99999999999999999999"_ba,
                                 "&H1F"_ba,       "&hff"_ba,
                                 " & H 1 0 "_ba,  "&O17"_ba,
                                 "&o0"_ba,        "&HFF"_ba + repeated('F', 300)}) {
    whole(text);
  }
  // Still being typed: more characters can make a number of it.
  for (const QByteArray& text :
       {""_ba, "   "_ba, "-"_ba, "+"_ba, "."_ba, "-."_ba, "+ ."_ba, "1e"_ba, "1e-"_ba, "1E+"_ba,
        ".5e"_ba, "1.e"_ba, "12 e - "_ba, "&"_ba, "&H"_ba, "&h"_ba, "&O"_ba, "& o"_ba}) {
    unfinished(text);
  }
  // Stopped at a character that no number continues with.
  stopped("K12+345"_ba, 0);
  stopped("k12 + 345.6"_ba, 0);
  stopped("1,234.5"_ba, 1);
  stopped("12.3.4"_ba, 4);
  stopped("3.5m"_ba, 3);
  stopped("3.5 m"_ba, 4);
  stopped("3 , 5"_ba, 2);
  stopped("1e+x"_ba, 3);
  stopped("1ee"_ba, 2);
  stopped("1e5e"_ba, 3);
  stopped("1e5."_ba, 3);
  stopped("1e.5"_ba, 2);
  stopped(".."_ba, 1);
  stopped("-.-"_ba, 2);
  stopped("+-5"_ba, 1);
  stopped("--"_ba, 1);
  stopped("-&H1"_ba, 1);
  stopped("&1"_ba, 1);
  stopped("&&"_ba, 1);
  stopped("&X"_ba, 1);
  stopped("&H1G"_ba, 3);
  stopped("&HG"_ba, 2);
  stopped("&O78"_ba, 3);
  stopped("&H1.5"_ba, 3);
  stopped("&O-"_ba, 2);
  stopped("e5"_ba, 0);
  stopped("inf"_ba, 0);
  stopped("1d3"_ba, 1);
  stopped("1\r2"_ba, 1);
  stopped("1e400,5"_ba, 5);
  stopped(repeated(' ', 1000) + "x", 1000);
  stopped("1"_ba + repeated('0', 1 << 20) + ",", (1 << 20) + 1);
}

// What readingOf() says agrees with readNumber(): the text up to the stop
// reads as the whole text does, and is not itself stopped. Faults: an offset
// counted without the blanks, a stop after the character at fault, a lone
// marker or sign counted as stopped, a second scanning that drifts.
void NumericTextTest::readingOf() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, extent);
  QFETCH(int, stop);
  using Extent = vornell::TextReading::Extent;
  const vornell::TextReading reading = vornell::readingOf(text.toStdString());
  const QByteArray extents[] = {"whole"_ba, "unfinished"_ba, "stopped"_ba};
  QCOMPARE(extents[static_cast<int>(reading.extent)], extent);
  QCOMPARE(reading.stop, std::size_t(stop));
  if (reading.extent == Extent::Stopped) {
    const QByteArray before = text.left(stop);
    QVERIFY(vornell::readingOf(before.toStdString()).extent != Extent::Stopped);
    double whole = 0, part = 0;
    const QByteArray failure = failureOf([&] { whole = vornell::readNumber(text.toStdString()); });
    QCOMPARE(failureOf([&] { part = vornell::readNumber(before.toStdString()); }), failure);
    QCOMPARE(exact(part), exact(whole));
  }
}

void NumericTextTest::stationsDiffer_data() {
  QTest::addColumn<double>("a");
  QTest::addColumn<double>("b");
  QTest::addColumn<QByteArray>("outcome");  // "differ", "equal" or the failure

  QTest::newRow("same") << 100.0 << 100.0 << "equal"_ba;
  QTest::newRow("100 and 100.000001") << 100.0 << 100.000001 << "differ"_ba;
  QTest::newRow("agree in 15 digits") << 0.1 << 0.1000000000000001 << "equal"_ba;
  QTest::newRow("opposite signs") << -5.0 << 5.0 << "differ"_ba;
  QTest::newRow("tiny below half a unit of place 28") << 4e-29 << 0.0 << "equal"_ba;
  QTest::newRow("tiny above half a unit of place 28") << 6e-29 << 0.0 << "differ"_ba;
  QTest::newRow("near the limit, different")
      << 7.9228162514264e28 << 7.9228162514263e28 << "differ"_ba;
  QTest::newRow("largest station and zero")
      << 79228162514264328797450928128.0 << 0.0 << "differ"_ba;
  // Beyond the scaled-decimal range.
  QTest::newRow("2^96, just above the largest decimal")
      << 79228162514264337593543950336.0 << 0.0 << "Overflow"_ba;
  QTest::newRow("equal but too large") << 1e30 << 1e30 << "Overflow"_ba;
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << 0.0 << "Overflow"_ba;
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << 0.0 << "Overflow"_ba;
}

void NumericTextTest::stationsDiffer() {
  QFETCH(double, a);
  QFETCH(double, b);
  QFETCH(QByteArray, outcome);
  for (const auto& [first, second] : {std::pair(a, b), std::pair(b, a)}) {
    bool differ = false;
    const QByteArray failure = failureOf([&] { differ = vornell::stationsDiffer(first, second); });
    QCOMPARE(failure != "none" ? failure : differ ? "differ"_ba : "equal"_ba, outcome);
  }
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
    return toChars(value, std::chars_format::scientific, 14);
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

void NumericTextTest::roundToFivePlaces_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<double>("expected");

  QTest::newRow("3.333333333") << 3.333333333 << 3.33333;
  QTest::newRow("1199.999999") << 1199.999999 << 1200.0;
  QTest::newRow("0.000004") << 0.000004 << 0.0;
  QTest::newRow("0.000015 is above its half") << 0.000015 << 0.00002;
  // Exact halves at the fifth place are odd multiples of 1/64.
  QTest::newRow("1/64 to even, down") << 0.015625 << 0.01562;
  QTest::newRow("half at 5e10") << 50000000000.015625 << 50000000000.01562;
  QTest::newRow("just above a half") << std::nextafter(0.015625, 1.0) << 0.01563;
  QTest::newRow("just below a half") << std::nextafter(0.046875, 0.0) << 0.04687;
  QTest::newRow("tiny negative keeps sign of zero") << -2.5e-6 << -0.0;
  QTest::newRow("below 2^52") << 4503599627370495.5 << 4503599627370495.5;
}

void NumericTextTest::roundToFivePlaces() {
  QFETCH(double, value);
  QFETCH(double, expected);
  QCOMPARE(exact(vornell::roundToFivePlaces(value)), exact(expected));
}

void NumericTextTest::numberToText_data() {
  QTest::addColumn<double>("value");
  QTest::addColumn<QByteArray>("text");

  QTest::newRow("negative zero") << -0.0 << "0"_ba;
  QTest::newRow("0.0001 is still fixed") << 0.0001 << "0.0001"_ba;
  QTest::newRow("5E-05") << 0.00005 << "5E-05"_ba;
  QTest::newRow("rounds up into fixed") << 0.000099999999999999995 << "0.0001"_ba;
  QTest::newRow("14 is still fixed") << 100000000000000.0 << "100000000000000"_ba;
  QTest::newRow("1E+15") << 1e15 << "1E+15"_ba;
  QTest::newRow("rounds up into exponent") << 9999999999999998.0 << "1E+16"_ba;
  QTest::newRow("15 significant digits") << 123456789012345678.0 << "1.23456789012346E+17"_ba;
  QTest::newRow("three exponent digits") << 1e305 << "1E+305"_ba;
  QTest::newRow("subnormal") << std::numeric_limits<double>::denorm_min()
                             << "4.94065645841247E-324"_ba;
  QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << "<FloatingPoint>"_ba;
  QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN() << "<FloatingPoint>"_ba;
}

void NumericTextTest::numberToText() {
  QFETCH(double, value);
  QFETCH(QByteArray, text);
  QByteArray written;
  const QByteArray failure =
      failureOf([&] { written = QByteArray::fromStdString(vornell::numberToText(value)); });
  QCOMPARE(failure == "none" ? written : "<" + failure + ">", text);
}

void NumericTextTest::roundingAndWritingAgreeWithTheStandardLibrary() {
  // Its fixed notation with 5 places rounds the exact binary value half to
  // even; its general format with 15 digits is the written form, exponent
  // letter aside, for any value and for results of five places (which are
  // written without it).
  std::mt19937_64 random(64);
  std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
  std::uniform_int_distribution<int> exponent(-12, 16);
  std::uniform_int_distribution<long long> whole(-4000000000000LL, 4000000000000LL);
  for (int i = 0; i < 200000; ++i) {
    // Alternate random magnitudes with exact halves k/2 * 1e-5 that are dyadic.
    const double value = i % 2 == 0 ? mantissa(random) * std::pow(10.0, exponent(random))
                                    : static_cast<double>(whole(random)) / 100.0 + 0.015625;
    const std::string fixed = toChars(value, std::chars_format::fixed, 5);
    double reference = 0;
    std::from_chars(fixed.data(), fixed.data() + fixed.size(), reference);
    const double rounded = vornell::roundToFivePlaces(value);
    QCOMPARE(exact(rounded), exact(reference));
    for (const double written : {value, rounded}) {
      QByteArray general =
          QByteArray::fromStdString(toChars(written + 0.0, std::chars_format::general, 15));
      QCOMPARE(QByteArray::fromStdString(vornell::numberToText(written)),
               general.replace('e', 'E'));
    }
  }
}

QTEST_GUILESS_MAIN(NumericTextTest)
#include "tst_numeric_text.moc"
