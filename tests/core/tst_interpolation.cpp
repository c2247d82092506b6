// One run of the transition calculation, from the five texts to the outcome.
#include <QTest>
#include <optional>

#include "core/interpolation.h"
#include "core/numeric_text.h"
#include "test_support.h"

using vornell::InterpolationMode;
using vornell::test::view;

Q_DECLARE_METATYPE(std::optional<InterpolationMode>)

namespace {

constexpr std::optional<InterpolationMode> kLinear = InterpolationMode::Linear;
constexpr std::optional<InterpolationMode> kParabolic = InterpolationMode::Parabolic;
constexpr std::optional<InterpolationMode> kNoMode = std::nullopt;

// The outcome as one comparable text: the result, "<no change>" or the
// failure's kind in angle brackets.
QString outcomeOf(std::optional<InterpolationMode> mode, const QString& k1, const QString& w1,
                  const QString& k2, const QString& w2, const QString& kx) {
  const QByteArray k1Text = k1.toUtf8(), w1Text = w1.toUtf8(), k2Text = k2.toUtf8(),
                   w2Text = w2.toUtf8(), kxText = kx.toUtf8();
  try {
    const auto result = vornell::interpolate(
        mode, {view(k1Text), view(w1Text), view(k2Text), view(w2Text), view(kxText)});
    return result ? QString::fromStdString(*result) : QString("<no change>");
  } catch (const vornell::NumericError& error) {
    return error.kind() == vornell::NumericErrorKind::Overflow ? QString("<Overflow>")
                                                               : QString("<FloatingPoint>");
  }
}

}  // namespace

class InterpolationTest : public QObject {
  Q_OBJECT

 private slots:
  void interpolate_data();
  void interpolate();
};

void InterpolationTest::interpolate_data() {
  QTest::addColumn<std::optional<InterpolationMode>>("mode");
  QTest::addColumn<QString>("k1");
  QTest::addColumn<QString>("w1");
  QTest::addColumn<QString>("k2");
  QTest::addColumn<QString>("w2");
  QTest::addColumn<QString>("kx");
  QTest::addColumn<QString>("outcome");

  // Nothing to compute.
  QTest::newRow("all empty, linear") << kLinear << ""
                                     << ""
                                     << ""
                                     << ""
                                     << ""
                                     << "<no change>";
  QTest::newRow("all empty, parabolic") << kParabolic << ""
                                        << ""
                                        << ""
                                        << ""
                                        << ""
                                        << "<no change>";
  QTest::newRow("no mode") << kNoMode << "100"
                           << "3.5"
                           << "200"
                           << "7"
                           << "150"
                           << "<no change>";
  QTest::newRow("no mode reads nothing") << kNoMode << "1e30"
                                         << "1e400"
                                         << "1e400"
                                         << ""
                                         << ""
                                         << "<no change>";

  // The worked examples.
  QTest::newRow("midpoint, linear") << kLinear << "100"
                                    << "3.5"
                                    << "200"
                                    << "7"
                                    << "150"
                                    << "5.25";
  QTest::newRow("midpoint, parabolic") << kParabolic << "100"
                                       << "3.5"
                                       << "200"
                                       << "7"
                                       << "150"
                                       << "5.25";
  QTest::newRow("quarter, linear") << kLinear << "100"
                                   << "3.5"
                                   << "200"
                                   << "7"
                                   << "125"
                                   << "4.375";
  QTest::newRow("quarter, parabolic rounds half to even") << kParabolic << "100"
                                                          << "3.5"
                                                          << "200"
                                                          << "7"
                                                          << "125"
                                                          << "4.04688";
  QTest::newRow("beyond K2, linear") << kLinear << "100"
                                     << "3.5"
                                     << "200"
                                     << "7"
                                     << "300"
                                     << "10.5";
  QTest::newRow("beyond K2, parabolic factor -4") << kParabolic << "100"
                                                  << "3.5"
                                                  << "200"
                                                  << "7"
                                                  << "300"
                                                  << "-10.5";
  QTest::newRow("K2 below K1, linear") << kLinear << "200"
                                       << "7"
                                       << "100"
                                       << "3.5"
                                       << "150"
                                       << "5.25";
  QTest::newRow("K2 below K1, parabolic") << kParabolic << "200"
                                          << "7"
                                          << "100"
                                          << "3.5"
                                          << "150"
                                          << "5.25";
  QTest::newRow("1/64 to even, down") << kLinear << "0"
                                      << "0"
                                      << "64"
                                      << "1"
                                      << "1"
                                      << "0.01562";
  QTest::newRow("3/64 to even, up") << kLinear << "0"
                                    << "0"
                                    << "64"
                                    << "1"
                                    << "3"
                                    << "0.04688";
  QTest::newRow("at K1, linear") << kLinear << "100"
                                 << "3.5"
                                 << "200"
                                 << "7"
                                 << "100"
                                 << "3.5";
  QTest::newRow("at K1, parabolic") << kParabolic << "100"
                                    << "3.5"
                                    << "200"
                                    << "7"
                                    << "100"
                                    << "3.5";
  QTest::newRow("at K2, linear") << kLinear << "100"
                                 << "3.5"
                                 << "200"
                                 << "7"
                                 << "200"
                                 << "7";
  QTest::newRow("at K2, parabolic") << kParabolic << "100"
                                    << "3.5"
                                    << "200"
                                    << "7"
                                    << "200"
                                    << "7";
  QTest::newRow("Kx empty extrapolates, linear") << kLinear << "100"
                                                 << "3.5"
                                                 << "200"
                                                 << "7"
                                                 << ""
                                                 << "0";
  QTest::newRow("Kx empty extrapolates, parabolic factor 5") << kParabolic << "100"
                                                             << "3.5"
                                                             << "200"
                                                             << "7"
                                                             << ""
                                                             << "21";
  QTest::newRow("elevations with many places") << kLinear << "1000"
                                               << "12.345678"
                                               << "1050"
                                               << "13.1"
                                               << "1010.5"
                                               << "12.50409";
  QTest::newRow("texts read like a box") << kLinear << " 1 00"
                                         << "3.5m"
                                         << "200,0"
                                         << "+7"
                                         << "1.5e2"
                                         << "5.25";
  QTest::newRow("a tiny negative result is written 0") << kLinear << "0"
                                                       << "0"
                                                       << "1"
                                                       << "-0.000001"
                                                       << "1"
                                                       << "0";
  QTest::newRow("a huge result") << kLinear << "0"
                                 << "0"
                                 << "1"
                                 << "1e300"
                                 << "1e5"
                                 << "1E+305";

  // The guard on equal stations comes before any other text is read.
  QTest::newRow("equal stations") << kLinear << "100"
                                  << "3.5"
                                  << "100.0"
                                  << "7"
                                  << "150"
                                  << "<no change>";
  QTest::newRow("stations equal in 15 digits") << kParabolic << "0.1"
                                               << "3.5"
                                               << "0.1000000000000001"
                                               << "7"
                                               << "150"
                                               << "<no change>";
  QTest::newRow("stations below 28 places") << kLinear << "1e-30"
                                            << "1"
                                            << "2e-30"
                                            << "2"
                                            << "0"
                                            << "<no change>";
  QTest::newRow("equal stations, W1 too large") << kLinear << "100"
                                                << "1e400"
                                                << "100"
                                                << "7"
                                                << "150"
                                                << "<no change>";
  QTest::newRow("equal stations, W2 and Kx too large") << kParabolic << "100"
                                                       << "1"
                                                       << "100"
                                                       << "1e400"
                                                       << "1e400"
                                                       << "<no change>";
  QTest::newRow("different stations, W1 too large") << kLinear << "100"
                                                    << "1e400"
                                                    << "200"
                                                    << "7"
                                                    << "150"
                                                    << "<Overflow>";
  QTest::newRow("different stations, Kx too large") << kParabolic << "100"
                                                    << "1"
                                                    << "200"
                                                    << "7"
                                                    << "1e400"
                                                    << "<Overflow>";

  // Stations beyond the scaled-decimal range fail; a far Kx does not.
  QTest::newRow("K1 of 1e30") << kLinear << "1e30"
                              << "3.5"
                              << "200"
                              << "7"
                              << "150"
                              << "<Overflow>";
  QTest::newRow("K2 of 1e30") << kParabolic << "100"
                              << "3.5"
                              << "1e30"
                              << "7"
                              << "150"
                              << "<Overflow>";
  QTest::newRow("K2 too large for a double") << kLinear << "100"
                                             << "3.5"
                                             << "1e400"
                                             << "7"
                                             << "150"
                                             << "<Overflow>";
  QTest::newRow("Kx of 1e30") << kLinear << "100"
                              << "3.5"
                              << "200"
                              << "7"
                              << "1e30"
                              << "3.5E+28";

  // Leaving the double range.
  QTest::newRow("linear quotient overflows") << kLinear << "0"
                                             << "0"
                                             << "1e-20"
                                             << "1"
                                             << "1e300"
                                             << "<FloatingPoint>";
  QTest::newRow("linear overflow that would come back") << kLinear << "0"
                                                        << "0"
                                                        << "1e-20"
                                                        << "1e-30"
                                                        << "1e290"
                                                        << "<FloatingPoint>";
  QTest::newRow("linear W2 - W1 overflows") << kLinear << "0"
                                            << "-1e308"
                                            << "1"
                                            << "1e308"
                                            << "0.5"
                                            << "<FloatingPoint>";
  QTest::newRow("linear infinity times zero") << kLinear << "0"
                                              << "5"
                                              << "1e-20"
                                              << "5"
                                              << "1e300"
                                              << "<FloatingPoint>";
  QTest::newRow("parabolic I overflows") << kParabolic << "0"
                                         << "0"
                                         << "1e-20"
                                         << "1"
                                         << "1e300"
                                         << "<FloatingPoint>";
  QTest::newRow("parabolic W2 - W1 overflows") << kParabolic << "0"
                                               << "-1e308"
                                               << "1"
                                               << "1e308"
                                               << "0.5"
                                               << "<FloatingPoint>";
  QTest::newRow("parabolic I cubed overflows") << kParabolic << "0"
                                               << "0"
                                               << "1"
                                               << "1"
                                               << "1e103"
                                               << "<Overflow>";
  QTest::newRow("parabolic I squared overflows") << kParabolic << "0"
                                                 << "0"
                                                 << "1"
                                                 << "1"
                                                 << "1e200"
                                                 << "<Overflow>";
  QTest::newRow("parabolic product overflows") << kParabolic << "0"
                                               << "0"
                                               << "1"
                                               << "1e300"
                                               << "1e5"
                                               << "<Overflow>";
  QTest::newRow("parabolic large but finite") << kParabolic << "0"
                                              << "0"
                                              << "1"
                                              << "1"
                                              << "1e100"
                                              << "-2E+300";
}

void InterpolationTest::interpolate() {
  QFETCH(std::optional<InterpolationMode>, mode);
  QFETCH(QString, k1);
  QFETCH(QString, w1);
  QFETCH(QString, k2);
  QFETCH(QString, w2);
  QFETCH(QString, kx);
  QFETCH(QString, outcome);
  QCOMPARE(outcomeOf(mode, k1, w1, k2, w2, kx), outcome);
}

QTEST_GUILESS_MAIN(InterpolationTest)
#include "tst_interpolation.moc"
