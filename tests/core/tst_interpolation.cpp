// One run of the transition calculation, from the five texts to the outcome.
#include <QTest>
#include <optional>
#include <string>

#include "core/interpolation.h"
#include "test_support.h"

using vornell::InterpolationMode;

namespace {

constexpr std::optional<InterpolationMode> L = InterpolationMode::Linear;
constexpr std::optional<InterpolationMode> P = InterpolationMode::Parabolic;
constexpr std::optional<InterpolationMode> none = std::nullopt;

struct Case {
  const char* name;
  std::optional<InterpolationMode> mode;
  const char *k1, *w1, *k2, *w2, *kx;
  // The result text, "<no change>" or the failure's kind in angle brackets.
  const char* outcome;
};

// clang-format off
constexpr Case kCases[] = {
  // name                                     mode  K1       W1         K2        W2         Kx        outcome
  // Nothing to compute.
  {"all empty, linear",                         L,  "",      "",        "",       "",        "",       "<no change>"},
  {"no mode reads nothing",                     none, "1e30", "1e400",  "1e400",  "",        "",       "<no change>"},
  // The worked examples.
  {"midpoint, parabolic",                       P,  "100",   "3.5",     "200",    "7",       "150",    "5.25"},
  {"quarter, linear",                           L,  "100",   "3.5",     "200",    "7",       "125",    "4.375"},
  {"quarter, parabolic rounds half to even",    P,  "100",   "3.5",     "200",    "7",       "125",    "4.04688"},
  {"beyond K2, linear",                         L,  "100",   "3.5",     "200",    "7",       "300",    "10.5"},
  {"beyond K2, parabolic factor -4",            P,  "100",   "3.5",     "200",    "7",       "300",    "-10.5"},
  {"K2 below K1, parabolic",                    P,  "200",   "7",       "100",    "3.5",     "150",    "5.25"},
  // A cube one unit off moves these results by one in the fifth place.
  {"parabolic road 1",                          P,  "3362",  "1332.584", "3382",  "422.044", "3375",   "678.58864"},
  {"parabolic road 2",                          P,  "10771", "2024.361", "10811", "869.641", "10794",  "1318.0693"},
  {"where glibc's pow is one unit off",          P,  "0",     "0",       "1",     "1077777770", "0.5497480490509635", "619049505.32598"},
  {"1/64 to even, down",                        L,  "0",     "0",       "64",     "1",       "1",      "0.01562"},
  {"3/64 to even, up",                          L,  "0",     "0",       "64",     "1",       "3",      "0.04688"},
  {"at K2, parabolic",                          P,  "100",   "3.5",     "200",    "7",       "200",    "7"},
  {"Kx empty extrapolates, parabolic factor 5", P,  "100",   "3.5",     "200",    "7",       "",       "21"},
  {"texts read like a box",                     L,  " 1 00", "3.5m",    "200,0",  "+7",      "1.5e2",  "5.25"},
  {"a tiny negative result is written 0",       L,  "0",     "0",       "1",      "-0.000001", "1",    "0"},
  {"a huge result",                             L,  "0",     "0",       "1",      "1e300",   "1e5",    "1E+305"},
  // The guard on equal stations comes before any other text is read.
  {"equal stations",                            L,  "100",   "3.5",     "100.0",  "7",       "150",    "<no change>"},
  {"equal stations, W1 too large",              L,  "100",   "1e400",   "100",    "7",       "150",    "<no change>"},
  {"different stations, W1 too large",          L,  "100",   "1e400",   "200",    "7",       "150",    "<Overflow>"},
  // Stations beyond the scaled-decimal range fail; a far Kx does not.
  {"K1 of 1e30",                                L,  "1e30",  "3.5",     "200",    "7",       "150",    "<Overflow>"},
  {"K2 of 1e30",                                P,  "100",   "3.5",     "1e30",   "7",       "150",    "<Overflow>"},
  {"Kx of 1e30",                                L,  "100",   "3.5",     "200",    "7",       "1e30",   "3.5E+28"},
  // Leaving the double range.
  {"linear quotient overflows",                 L,  "0",     "0",       "1e-20",  "1",       "1e300",  "<FloatingPoint>"},
  {"linear overflow that would come back",      L,  "0",     "0",       "1e-20",  "1e-30",   "1e290",  "<FloatingPoint>"},
  {"parabolic I overflows",                     P,  "0",     "0",       "1e-20",  "1",       "1e300",  "<FloatingPoint>"},
  {"parabolic W2 - W1 overflows",               P,  "0",     "-1e308",  "1",      "1e308",   "0.5",    "<FloatingPoint>"},
  {"parabolic I cubed overflows",               P,  "0",     "0",       "1",      "1",       "1e103",  "<Overflow>"},
  {"parabolic product overflows",               P,  "0",     "0",       "1",      "1e300",   "1e5",    "<Overflow>"},
  {"parabolic large but finite",                P,  "0",     "0",       "1",      "1",       "1e100",  "-2E+300"},
};
// clang-format on

QByteArray outcomeOf(const Case& c) {
  std::optional<std::string> result;
  const QByteArray failure = vornell::test::failureOf([&] {
    result = vornell::interpolate(c.mode, {c.k1, c.w1, c.k2, c.w2, c.kx});
  });
  return failure != "none" ? "<" + failure + ">"
                           : QByteArray(result.value_or("<no change>").c_str());
}

}  // namespace

class InterpolationTest : public QObject {
  Q_OBJECT

 private slots:
  void interpolate_data();
  void interpolate();
  void outsideStations_data();
  void outsideStations();
};

void InterpolationTest::interpolate_data() {
  QTest::addColumn<int>("index");
  for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
    QTest::newRow(kCases[i].name) << i;
  }
}

void InterpolationTest::interpolate() {
  QFETCH(int, index);
  const Case& c = kCases[index];
  QCOMPARE(outcomeOf(c), QByteArray(c.outcome));
}

void InterpolationTest::outsideStations_data() {
  QTest::addColumn<QByteArray>("k1");
  QTest::addColumn<QByteArray>("k2");
  QTest::addColumn<QByteArray>("kx");
  QTest::addColumn<QByteArray>("outcome");  // "outside", "inside" or the failure

  const auto row = [](const char* name, const char* k1, const char* k2, const char* kx,
                      const char* outcome) {
    QTest::newRow(name) << QByteArray(k1) << QByteArray(k2) << QByteArray(kx)
                        << QByteArray(outcome);
  };
  // clang-format off
  row("beyond K2",                   "100",    "200",  "300",    "outside");
  row("before K1",                   "100",    "200",  "50",     "outside");
  row("between",                     "100",    "200",  "125",    "inside");
  row("at K1",                       "100",    "200",  "100.0",  "inside");
  row("at K2",                       "100",    "200",  "200",    "inside");
  row("K2 below K1, beyond K1",      "200",    "100",  "201",    "outside");
  row("K2 below K1, before K2",      "200",    "100",  "99.99",  "outside");
  row("K2 below K1, between",        "200",    "100",  "150",    "inside");
  // Kx counts as at an end where the stations count as equal.
  row("equal to K2 as a station",    "100",    "200",  "200.00000000000003", "inside");
  row("just beyond K2 as a station", "100",    "200",  "200.0000000001",     "outside");
  row("below K1 by a tiny step",     "0",      "1",    "-1e-20", "outside");
  row("below K1 beneath place 28",   "0",      "1",    "-1e-29", "inside");
  // Texts read as a box reads them: Kx empty is station 0.
  row("Kx empty",                    "100",    "200",  "",       "outside");
  row("K-notation reads 0",          "K0+100", "200",  "150",    "inside");
  // Beyond what compares.
  row("Kx of 1e30",                  "100",    "200",  "1e30",   "outside");
  row("Kx of -1e30",                 "100",    "200",  "-1e30",  "outside");
  row("K2 of 1e30, Kx beyond",       "100",    "1e30", "2e30",   "Overflow K2");
  row("K2 of 1e30, Kx between",      "100",    "1e30", "150",    "inside");
  row("Kx of 1e400",                 "100",    "200",  "1e400",  "Overflow Kx");
  row("K1 of 1e400",                 "1e400",  "200",  "150",    "Overflow K1");
  // clang-format on
}

void InterpolationTest::outsideStations() {
  QFETCH(QByteArray, k1);
  QFETCH(QByteArray, k2);
  QFETCH(QByteArray, kx);
  QFETCH(QByteArray, outcome);
  const std::string texts[] = {k1.toStdString(), k2.toStdString(), kx.toStdString()};
  QByteArray outside;
  try {
    outside =
        vornell::outsideStations({texts[0], "", texts[1], "", texts[2]}) ? "outside" : "inside";
  } catch (const vornell::NumericError& error) {
    const char* const names[] = {"K1", "W1", "K2", "W2", "Kx"};
    outside = (error.kind() == vornell::NumericErrorKind::Overflow ? QByteArray("Overflow ")
                                                                   : QByteArray("?")) +
              (error.input() ? names[static_cast<int>(*error.input())] : "unnamed");
  }
  QCOMPARE(outside, outcome);
}

QTEST_GUILESS_MAIN(InterpolationTest)
#include "tst_interpolation.moc"
