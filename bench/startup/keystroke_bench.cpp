// Keystroke to result: the time from a key press in the station box Kx (Text5)
// of the real window until the result box (Text6) holds the new result.
//
// The window is shown offscreen with K1=100, W1=3.5, K2=200, W2=7 and
// Kx=150. Each iteration sends one key to Text5, alternately the digit 5
// (Kx=1505, Wx=52.675) and Backspace (Kx=150, Wx=5.25), so the text stays
// bounded and every key changes the result. The clock stops inside the
// textChanged signal of Text6; every result is checked against its expected
// value, outside the timed part. Besides Google Benchmark's mean per
// iteration, the counters report the median and the 99th percentile of all
// single keystrokes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "ui/form1.h"

namespace {

using Clock = std::chrono::steady_clock;

QLineEdit* box(QWidget& window, const char* name) {
  return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

double percentile(std::vector<double> values, double fraction) {
  if (values.empty()) {
    return 0.0;
  }
  const auto index = static_cast<std::size_t>(fraction * static_cast<double>(values.size() - 1));
  std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index),
                   values.end());
  return values[index];
}

void BM_KeystrokeToResult(benchmark::State& state) {
  vornell::ui::Form1 window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) {
    state.SkipWithError("the window was not exposed");
    return;
  }
  QLineEdit* inputs[] = {box(window, "Text1"), box(window, "Text2"), box(window, "Text3"),
                         box(window, "Text4")};
  QLineEdit* kx = box(window, "Text5");
  QLineEdit* wx = box(window, "Text6");
  if (std::count(std::begin(inputs), std::end(inputs), nullptr) != 0 || kx == nullptr ||
      wx == nullptr) {
    state.SkipWithError("Text1 to Text6 not found");
    return;
  }
  const char* values[] = {"100", "3.5", "200", "7"};
  for (std::size_t i = 0; i < std::size(inputs); ++i) {
    inputs[i]->setText(QString::fromLatin1(values[i]));
  }
  kx->setText(QStringLiteral("150"));
  // Typing goes to the focused box; taking the focus selects the whole text,
  // so the caret is then put back at the end with nothing selected.
  window.activateWindow();
  (void)QTest::qWaitForWindowActive(&window);
  kx->setFocus();
  QCoreApplication::processEvents();
  kx->end(false);
  if (std::abs(wx->text().toDouble() - 5.25) > 1e-9) {
    const std::string message =
        "Text6 shows '" + wx->text().toStdString() + "', not 5.25, after filling in the boxes";
    state.SkipWithError(message.c_str());
    return;
  }

  Clock::time_point updated;
  bool wasUpdated = false;
  const QMetaObject::Connection stamp =
      QObject::connect(wx, &QLineEdit::textChanged, [&updated, &wasUpdated] {
        updated = Clock::now();
        wasUpdated = true;
      });

  std::vector<double> seconds;
  seconds.reserve(1 << 16);
  bool digit = true;
  for (auto _ : state) {
    wasUpdated = false;
    const Clock::time_point start = Clock::now();
    QTest::keyClick(kx, digit ? Qt::Key_5 : Qt::Key_Backspace);
    if (!wasUpdated) {
      // Not written during the key event itself: let queued work run.
      const Clock::time_point limit = start + std::chrono::seconds(1);
      while (!wasUpdated && Clock::now() < limit) {
        QCoreApplication::processEvents();
      }
    }
    if (!wasUpdated) {
      state.SkipWithError("Text6 was not updated within 1 s of the key");
      break;
    }
    const double elapsed = std::chrono::duration<double>(updated - start).count();
    state.SetIterationTime(elapsed);
    seconds.push_back(elapsed);

    const double expected = digit ? 52.675 : 5.25;
    if (std::abs(wx->text().toDouble() - expected) > 1e-9) {
      state.SkipWithError("Text6 shows a wrong result");
      break;
    }
    digit = !digit;
  }
  QObject::disconnect(stamp);
  // Leave Kx at 150 for the next repetition.
  if (kx->text() != QStringLiteral("150")) {
    QTest::keyClick(kx, Qt::Key_Backspace);
  }

  state.counters["median_us"] = percentile(seconds, 0.5) * 1e6;
  state.counters["p99_us"] = percentile(seconds, 0.99) * 1e6;
  state.counters["keys"] = static_cast<double>(seconds.size());
}

BENCHMARK(BM_KeystrokeToResult)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
