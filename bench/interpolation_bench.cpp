// One whole run of the calculation against its floor: the five number
// readings and the one number writing that no run can avoid, done with the
// standard library's fastest exact conversions.
#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <string_view>

#include "core/interpolation.h"

namespace {

constexpr std::array<std::string_view, 5> kTexts = {"1000", "3.5", "1050", "7.25", "1012.5"};

void BM_InterpolateLinear(benchmark::State& state) {
  const vornell::InputTexts texts{kTexts[0], kTexts[1], kTexts[2], kTexts[3], kTexts[4]};
  for (auto _ : state) {
    auto result = vornell::interpolate(vornell::InterpolationMode::Linear, texts);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_InterpolateLinear);

void BM_InterpolateParabolic(benchmark::State& state) {
  const vornell::InputTexts texts{kTexts[0], kTexts[1], kTexts[2], kTexts[3], kTexts[4]};
  for (auto _ : state) {
    auto result = vornell::interpolate(vornell::InterpolationMode::Parabolic, texts);
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(BM_InterpolateParabolic);

// Five std::from_chars and one std::to_chars with the output format of a
// result (15 significant digits, general notation).
void BM_Floor(benchmark::State& state) {
  for (auto _ : state) {
    double sum = 0;
    for (std::string_view text : kTexts) {
      benchmark::DoNotOptimize(text);
      double value = 0;
      std::from_chars(text.data(), text.data() + text.size(), value);
      sum += value;
    }
    std::array<char, 32> out{};
    auto end = std::to_chars(out.data(), out.data() + out.size(), sum / 7.0,
                             std::chars_format::general, 15);
    benchmark::DoNotOptimize(end);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(BM_Floor);

}  // namespace
