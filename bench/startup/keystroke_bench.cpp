// Keystroke to result: the time from a key press in the station box Kx (Text5)
// of the real window until the result box (Text6) holds the new result.
//
// The window is shown offscreen with K1=100, W1=3.5, K2=200, W2=7 and
// Kx=150, written with as many leading zeros as the argument asks (0, or so
// many that the box is at its length limit once the 5 is typed: every
// character is then laid out and read with each key). Each iteration sends one
// key to Text5, alternately the digit 5 (Kx=1505, Wx=52.675) and Backspace
// (Kx=150, Wx=5.25), so every key changes the result. The clock stops inside
// the textChanged signal of Text6; every result is checked against its
// expected value, outside the timed part. Besides Google Benchmark's mean per
// iteration, the counters report the median and the 99th percentile of all
// single keystrokes. With the second argument 1, K1 is written K0+100 instead:
// it reads as 0 (Wx=29.8375 and 6.125), and the notice that offers its plain
// form is worked out anew with every key.
//
// Memory after keys: the growth of the resident set over 10^6 keys in Kx
// (the same alternation), per key and in all.
//
// A refused paste: 10 MB of digits pasted into Kx with Ctrl+V, which the box
// refuses; the time of the paste, of the next key (until the result box is
// updated), and the growth of the resident set over both, measured after the
// clipboard holds the text (the program that copied it holds it on a desktop).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QString>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "ui/form1.h"
#include "ui/number_box.h"

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
  const bool notice = state.range(1) != 0;
  const char* values[] = {notice ? "K0+100" : "100", "3.5", "200", "7"};
  const double results[] = {notice ? 6.125 : 5.25, notice ? 29.8375 : 52.675};  // Kx 150, 1505
  for (std::size_t i = 0; i < std::size(inputs); ++i) {
    inputs[i]->setText(QString::fromLatin1(values[i]));
  }
  const QString kxText = QString(state.range(0), u'0') + QStringLiteral("150");
  kx->setText(kxText);
  // Typing goes to the focused box; taking the focus selects the whole text,
  // so the caret is then put back at the end with nothing selected.
  window.activateWindow();
  (void)QTest::qWaitForWindowActive(&window);
  kx->setFocus();
  QCoreApplication::processEvents();
  kx->end(false);
  if (std::abs(wx->text().toDouble() - results[0]) > 1e-9) {
    const std::string message = "Text6 shows '" + wx->text().toStdString() +
                                "', not the result for Kx 150, after filling in the boxes";
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

    const double expected = results[digit ? 1 : 0];
    if (std::abs(wx->text().toDouble() - expected) > 1e-9) {
      state.SkipWithError("Text6 shows a wrong result");
      break;
    }
    digit = !digit;
  }
  QObject::disconnect(stamp);
  // Leave Kx at 150 for the next repetition.
  if (kx->text() != kxText) {
    QTest::keyClick(kx, Qt::Key_Backspace);
  }

  state.counters["median_us"] = percentile(seconds, 0.5) * 1e6;
  state.counters["p99_us"] = percentile(seconds, 0.99) * 1e6;
  state.counters["keys"] = static_cast<double>(seconds.size());
}

BENCHMARK(BM_KeystrokeToResult)
    ->Args({0, 0})
    ->Args({vornell::ui::kMaxNumberTextLength - 4, 0})
    ->Args({0, 1})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

// Resident set size in bytes.
double residentBytes() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0;
  double resident = 0;
  statm >> pages >> resident;
  return resident * static_cast<double>(sysconf(_SC_PAGESIZE));
}

// Shows the window with K1=100, W1=3.5, K2=200, W2=7 and Kx=150; returns Kx.
QLineEdit* showWithWorkedExample(QWidget& window) {
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
  const char* names[] = {"Text1", "Text2", "Text3", "Text4", "Text5"};
  const char* values[] = {"100", "3.5", "200", "7", "150"};
  for (std::size_t i = 0; i < std::size(names); ++i) {
    box(window, names[i])->setText(QString::fromLatin1(values[i]));
  }
  return box(window, "Text5");
}

void BM_MemoryAfterKeys(benchmark::State& state) {
  vornell::ui::Form1 window;
  QLineEdit* kx = showWithWorkedExample(window);
  kx->setFocus();
  kx->end(false);
  const auto keys = static_cast<int>(state.range(0));
  double growth = 0;
  for (auto _ : state) {
    const double before = residentBytes();
    for (int i = 0; i < keys; ++i) {
      QTest::keyClick(kx, i % 2 == 0 ? Qt::Key_5 : Qt::Key_Backspace);
      if (i % 1024 == 0) {
        QCoreApplication::processEvents();
      }
    }
    QCoreApplication::processEvents();
    growth = residentBytes() - before;
  }
  state.counters["rss_growth_MiB"] = growth / (1 << 20);
  state.counters["bytes_per_key"] = growth / keys;
}

BENCHMARK(BM_MemoryAfterKeys)
    ->Arg(1000000)
    ->Iterations(1)
    ->Repetitions(1)
    ->Unit(benchmark::kSecond);

void BM_RefusedPaste(benchmark::State& state) {
  vornell::ui::Form1 window;
  QLineEdit* kx = showWithWorkedExample(window);
  QLineEdit* wx = box(window, "Text6");
  kx->setFocus();
  kx->end(false);
  QGuiApplication::clipboard()->setText(QString(10 << 20, u'7'));
  double pasteSeconds = 0;
  double keySeconds = 0;
  double growth = 0;
  for (auto _ : state) {
    const double before = residentBytes();
    const Clock::time_point start = Clock::now();
    QTest::keyClick(kx, Qt::Key_V, Qt::ControlModifier);
    QCoreApplication::processEvents();
    const Clock::time_point pasted = Clock::now();
    QTest::keyClick(kx, Qt::Key_5);
    const Clock::time_point keyed = Clock::now();
    growth = residentBytes() - before;
    pasteSeconds = std::chrono::duration<double>(pasted - start).count();
    keySeconds = std::chrono::duration<double>(keyed - pasted).count();
    if (kx->text() != QStringLiteral("1505") || wx->text() != QStringLiteral("52.675")) {
      state.SkipWithError("the paste was not refused, or the next key was not computed");
      break;
    }
    QTest::keyClick(kx, Qt::Key_Backspace);
  }
  QGuiApplication::clipboard()->clear();
  state.counters["paste_ms"] = pasteSeconds * 1e3;
  state.counters["next_key_ms"] = keySeconds * 1e3;
  state.counters["rss_growth_MiB"] = growth / (1 << 20);
}

BENCHMARK(BM_RefusedPaste)->Iterations(1)->Repetitions(1)->Unit(benchmark::kMillisecond);

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
