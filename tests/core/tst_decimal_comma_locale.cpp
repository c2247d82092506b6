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
  void conventionsIgnoreTheLocale();
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

void DecimalCommaLocaleTest::conventionsIgnoreTheLocale() {
  QCOMPARE(exact(vornell::readNumber("12.5")), exact(12.5));
  QCOMPARE(exact(vornell::readNumber("1,5")), exact(1.0));
  QCOMPARE(exact(vornell::readNumber("1.5e-3")), exact(0.0015));
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(1234.5)), QByteArray("1234.5"));
  QCOMPARE(QByteArray::fromStdString(vornell::numberToText(5e-05)), QByteArray("5E-05"));
  QVERIFY(!vornell::stationsDiffer(0.1, 0.1000000000000001));
  const auto result = vornell::interpolate(vornell::InterpolationMode::Parabolic,
                                           {"100", "3.5", "200", "7", "125"});
  QCOMPARE(QByteArray::fromStdString(result.value_or("<no change>")), QByteArray("4.04688"));
}

QTEST_GUILESS_MAIN(DecimalCommaLocaleTest)
#include "tst_decimal_comma_locale.moc"
