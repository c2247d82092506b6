// The number conventions do not follow the user's locale: under a German
// locale, whose decimal separator is a comma, nothing changes.
#include <QTest>
#include <clocale>
#include <cstdio>
#include <locale>
#include <sstream>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "test_support.h"

using vornell::test::exact;

class DecimalCommaLocaleTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void readingIgnoresTheLocale();
  void writingIgnoresTheLocale();
  void aRunIgnoresTheLocale();
};

void DecimalCommaLocaleTest::initTestCase() {
  // QCoreApplication has already applied the environment's locale; make it
  // the C++ global one too, and prove that both are really in force.
  QVERIFY2(std::setlocale(LC_ALL, "") != nullptr, "the environment's locale is not available");
  QCOMPARE(QByteArray(std::localeconv()->decimal_point), QByteArray(","));
  std::array<char, 16> printed{};
  std::snprintf(printed.data(), printed.size(), "%.1f", 1.5);
  QCOMPARE(QByteArray(printed.data()), QByteArray("1,5"));
  std::locale::global(std::locale(""));
  std::ostringstream streamed;
  streamed << 1.5;
  QCOMPARE(QByteArray::fromStdString(streamed.str()), QByteArray("1,5"));
}

void DecimalCommaLocaleTest::readingIgnoresTheLocale() {
  QCOMPARE(exact(vornell::readNumber("12.5")), exact(12.5));
  QCOMPARE(exact(vornell::readNumber("1,5")), exact(1.0));
  QCOMPARE(exact(vornell::readNumber("1.5e-3")), exact(0.0015));
}

void DecimalCommaLocaleTest::writingIgnoresTheLocale() {
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(1234.5)), QByteArray("1234.5"));
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(5e-05)), QByteArray("5E-05"));
  QCOMPARE(exact(vornell::roundToFivePlaces(0.046875)), exact(0.04688));
  QVERIFY(!vornell::stationsDiffer(0.1, 0.1000000000000001));
}

void DecimalCommaLocaleTest::aRunIgnoresTheLocale() {
  const auto result = vornell::interpolate(vornell::InterpolationMode::Parabolic,
                                           {"100", "3.5", "200", "7", "125"});
  QVERIFY(result.has_value());
  QCOMPARE(QByteArray::fromStdString(*result), QByteArray("4.04688"));
}

QTEST_GUILESS_MAIN(DecimalCommaLocaleTest)
#include "tst_decimal_comma_locale.moc"
