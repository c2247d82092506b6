// One run of the transition calculation, from the mode and the five texts.
#include <QTest>
#include <optional>
#include <string>

#include "core/interpolation.h"
#include "test_support.h"

using vornell::InterpolationMode;
using namespace Qt::Literals::StringLiterals;

namespace {

constexpr std::optional<InterpolationMode> L = InterpolationMode::Linear;
constexpr std::optional<InterpolationMode> P = InterpolationMode::Parabolic;

struct Case {
  const char* name;
  std::optional<InterpolationMode> mode;
  const char *k1, *w1, *k2, *w2, *kx;
  // The result text, "outside" after it beyond K1..K2, or "<no change>", or
  // the failure in angle brackets with the input it names.
  const char* outcome;
};

// clang-format off
constexpr Case kCases[] = {
  // name                                     mode  K1       W1         K2        W2         Kx        outcome
  {"all empty",                                 L,  "",      "",        "",       "",        "",       "<no change>"},
  {"no mode reads nothing",           std::nullopt, "1e30",  "1e400",   "1e400",  "",        "",       "<no change>"},
  {"quarter, linear",                           L,  "100",   "3.5",     "200",    "7",       "125",    "4.375"},
  {"quarter, parabolic rounds half to even",    P,  "100",   "3.5",     "200",    "7",       "125",    "4.04688"},
  {"beyond K2, linear",                         L,  "100",   "3.5",     "200",    "7",       "300",    "10.5"},
  {"beyond K2, parabolic factor -4",            P,  "100",   "3.5",     "200",    "7",       "300",    "-10.5 outside"},
  {"before K1, parabolic",                      P,  "100",   "3.5",     "200",    "7",       "50",     "7 outside"},
  {"K2 below K1, parabolic",                    P,  "200",   "7",       "100",    "3.5",     "150",    "5.25"},
  {"K2 below K1, beyond K1",                    P,  "200",   "7",       "100",    "3.5",     "201",    "6.99894 outside"},
  {"at K2 as a station, parabolic",             P,  "100",   "3.5",     "200",    "7",       "200.00000000000003", "7"},
  {"just beyond K2 as a station",               P,  "100",   "3.5",     "200",    "7",       "200.0000000001", "7 outside"},
  {"Kx too far to compare is outside",          P,  "0",     "0",       "1",      "0",       "-1e30",  "0 outside"},
  // A cube one unit off moves these results by one in the fifth place.
  {"parabolic road 1",                          P,  "3362",  "1332.584", "3382",  "422.044", "3375",   "678.58864"},
  {"parabolic road 2",                          P,  "10771", "2024.361", "10811", "869.641", "10794",  "1318.0693"},
  {"where glibc's pow is one unit off",         P,  "0",     "0",       "1",     "1077777770", "0.5497480490509635", "619049505.32598"},
  {"1/64 to even, down",                        L,  "0",     "0",       "64",     "1",       "1",      "0.01562"},
  {"3/64 to even, up",                          L,  "0",     "0",       "64",     "1",       "3",      "0.04688"},
  {"texts read like a box",                     L,  " 1 00", "3.5m",    "200,0",  "+7",      "1.5e2",  "5.25"},
  {"a tiny negative result is written 0",       L,  "0",     "0",       "1",      "-0.000001", "1",    "0"},
  {"a huge result",                             L,  "0",     "0",       "1",      "1e300",   "1e5",    "1E+305"},
  // The guard on equal stations comes before any other text is taken.
  {"equal stations",                            L,  "100",   "3.5",     "100.0",  "7",       "150",    "<no change>"},
  {"equal stations, W1 too large",              L,  "100",   "1e400",   "100",    "7",       "150",    "<no change>"},
  {"different stations, W1 too large",          L,  "100",   "1e400",   "200",    "7",       "150",    "<Overflow W1>"},
  {"W2 is taken before W1",                     P,  "100",   "1e400",   "200",    "-1e400",  "150",    "<Overflow W2>"},
  {"Kx is taken before W2",                     L,  "100",   "3.5",     "200",    "1e400",   "1e400",  "<Overflow Kx>"},
  // Stations: K2 is read and compared before K1.
  {"K1 of 1e30",                                L,  "1e30",  "3.5",     "200",    "7",       "150",    "<Overflow K1>"},
  {"K2 of 1e30",                                P,  "100",   "3.5",     "1e30",   "7",       "150",    "<Overflow K2>"},
  {"K1 and K2 incomparable",                    L,  "1e30",  "3.5",     "-1e30",  "7",       "150",    "<Overflow K2>"},
  {"K1 too large to read, K2 incomparable",     L,  "1e400", "3.5",     "1e30",   "7",       "150",    "<Overflow K1>"},
  {"K2 too large to read",                      L,  "1e400", "3.5",     "1e400",  "7",       "150",    "<Overflow K2>"},
  {"Kx of 1e30",                                L,  "100",   "3.5",     "200",    "7",       "1e30",   "3.5E+28"},
  // Leaving the double range.
  {"linear quotient overflows",                 L,  "0",     "0",       "1e-20",  "1",       "1e300",  "<FloatingPoint>"},
  {"parabolic I overflows before W2 is taken",  P,  "0",     "0",       "1e-20",  "1e400",   "1e300",  "<FloatingPoint>"},
  {"parabolic W2 - W1 overflows",               P,  "0",     "-1e308",  "1",      "1e308",   "0.5",    "<FloatingPoint>"},
  {"parabolic I cubed overflows",               P,  "0",     "0",       "1",      "1",       "1e103",  "<Overflow>"},
  {"parabolic product overflows",               P,  "0",     "0",       "1",      "1e300",   "1e5",    "<Overflow>"},
  {"parabolic large but finite",                P,  "0",     "0",       "1",      "1",       "1e100",  "-2E+300 outside"},
};
// clang-format on

QByteArray outcomeOf(const vornell::Calculation& run) {
  if (run.failure) {
    const char* const names[] = {"K1", "W1", "K2", "W2", "Kx"};
    const QByteArray kind =
        run.failure->kind == vornell::FailureKind::Overflow ? "Overflow" : "FloatingPoint";
    const auto input = run.failure->input;
    return "<" + kind + (input ? " "_ba + names[static_cast<int>(*input)] : ""_ba) + ">";
  }
  if (!run.result) {
    return "<no change>";
  }
  return QByteArray::fromStdString(*run.result) + (run.outsideStations ? " outside" : "");
}

}  // namespace

class InterpolationTest : public QObject {
  Q_OBJECT

 private slots:
  void outcome_data();
  void outcome();
};

void InterpolationTest::outcome_data() {
  QTest::addColumn<int>("index");
  for (int i = 0; i < static_cast<int>(std::size(kCases)); ++i) {
    QTest::newRow(kCases[i].name) << i;
  }
}

void InterpolationTest::outcome() {
  QFETCH(int, index);
  const Case& c = kCases[index];
  const vornell::Calculation run = vornell::interpolate(c.mode, {c.k1, c.w1, c.k2, c.w2, c.kx});
  QCOMPARE(outcomeOf(run), QByteArray(c.outcome));
}

VORNELL_CORE_TEST_MAIN(InterpolationTest)
#include "tst_interpolation.moc"
