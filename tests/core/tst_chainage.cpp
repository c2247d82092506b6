// Stations written in chainage notation and their plain form.
#include <QTest>
#include <optional>
#include <string>

#include "core/chainage.h"
#include "core/numeric_text.h"
#include "test_support.h"

using vornell::test::exact;
using namespace Qt::Literals::StringLiterals;

class ChainageTest : public QObject {
  Q_OBJECT

 private slots:
  void plainForm_data();
  void plainForm();
};

void ChainageTest::plainForm_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QByteArray>("plain");  // empty: not chainage notation
  QTest::addColumn<double>("station");    // what the plain form reads as

  const auto row = [](const QByteArray& text, const QByteArray& plain, double station) {
    QTest::newRow(text.left(40).constData()) << text << plain << station;
  };
  row("K12+345.678"_ba, "12345.678"_ba, 12345.678);
  row("k12 + 345.6"_ba, "12345.6"_ba, 12345.6);
  row(" K 1 2 +\t3 4 5\n"_ba, "12345"_ba, 12345);
  row("K0+000"_ba, "0"_ba, 0);
  row("K0+050"_ba, "50"_ba, 50);
  row("K0+5"_ba, "5"_ba, 5);
  row("K12+5"_ba, "12005"_ba, 12005);
  row("K12+999.9999"_ba, "12999.9999"_ba, 12999.9999);
  row("K1+000.250"_ba, "1000.250"_ba, 1000.25);
  row("K012+345"_ba, "12345"_ba, 12345);
  row("K12+345."_ba, "12345"_ba, 12345);
  row("K123456+789.012"_ba, "123456789.012"_ba, 123456789.012);
  // The stations of a divided road's left and right lines, and of ramps.
  row("ZK12+345"_ba, "12345"_ba, 12345);
  row("yk0+050"_ba, "50"_ba, 50);
  row("A K 1 + 200"_ba, "1200"_ba, 1200);
  row("KK12+345"_ba, "12345"_ba, 12345);
  // Exact as text, whatever a double would hold.
  row("K9007199254740+993"_ba, "9007199254740993"_ba, 9007199254740992.0);
  row("K1"_ba + QByteArray(400, '0') + "+000"_ba, "1"_ba + QByteArray(403, '0'), -1);
  // Not chainage notation.
  for (const QByteArray& text :
       {""_ba,          "K"_ba,         "K12"_ba,      "K12+"_ba,        "K+345"_ba,
        "12+345"_ba,    "K12+1000"_ba,  "K12+0345"_ba, "K12-345"_ba,     "K-1+200"_ba,
        "-K1+200"_ba,   "+K1+200"_ba,   "K12+345m"_ba, "K12+345.6.7"_ba, "K12+345e3"_ba,
        "K12+.5"_ba,    "K1.5+200"_ba,  "K12++345"_ba, "ABCK12+345"_ba,  "Z12+345"_ba,
        "ZKZ12+345"_ba, "K12+345,6"_ba, "K12,345"_ba,  "k12+3 45 6"_ba,  "K12\r+345"_ba,
        "K12+345.x"_ba, "12345"_ba,     "1,234.5"_ba,  "中K12+345"_ba}) {
    row(text, QByteArray(), 0);
  }
}

// Faults: metres not padded, leading zeros kept or lost, trailing text ignored.
void ChainageTest::plainForm() {
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, plain);
  QFETCH(double, station);
  const std::optional<std::string> form = vornell::chainagePlainForm(text.toStdString());
  QCOMPARE(QByteArray(form.value_or("").c_str()), plain);
  if (form) {
    // A plain form reads whole, as the station.
    const vornell::NumberReading reading = vornell::readNumber(*form);
    QCOMPARE(reading.extent, vornell::TextExtent::Whole);
    if (station >= 0) {
      QCOMPARE(exact(reading.value.value_or(-1)), exact(station));
    }
  }
}

VORNELL_CORE_TEST_MAIN(ChainageTest)
#include "tst_chainage.moc"
