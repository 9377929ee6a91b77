// Image effect speed on a full 480 x 200 screen picture: each filter, one fade step, and a whole
// fadeoff through the command with a host that really sleeps.
#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

#include "screen/effects/zunkefeitos.h"
#include "screen/screen_commands.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::TempDir;

Picture ScreenPicture() {
  Picture p(kTelaWidth, kTelaHeight);
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) p.SetPixel(x, y, MakeColour(x & 0xFF, y, (x * y) & 0xFF));
  }
  return p;
}

// Runs the effect on a fresh copy each iteration; only the effect is timed.
template <typename Effect>
void RunOnScreenPicture(benchmark::State& state, Effect effect) {
  const Picture original = ScreenPicture();
  Picture p = original;
  for (auto _ : state) {
    state.PauseTiming();
    p = original;
    state.ResumeTiming();
    effect(p);
    benchmark::DoNotOptimize(p.Row(0));
  }
}

void BM_EffectBlur(benchmark::State& state) {
  RunOnScreenPicture(state, effects::Blur);
}
void BM_EffectEmboss(benchmark::State& state) {
  RunOnScreenPicture(state, effects::Emboss);
}
void BM_EffectCinza(benchmark::State& state) {
  RunOnScreenPicture(state, effects::Grey);
}
void BM_EffectBrilho(benchmark::State& state) {
  RunOnScreenPicture(state, [](Picture& p) { effects::Brighten(p, 77); });
}
void BM_EffectFiltro(benchmark::State& state) {
  RunOnScreenPicture(state, [](Picture& p) { effects::Filter(p, 0x40A0FF); });
}
void BM_EffectFadeStepToColour(benchmark::State& state) {
  RunOnScreenPicture(state, [](Picture& p) { effects::FadeStepToColour(p, 0x102030); });
}
void BM_EffectFadeStepToPicture(benchmark::State& state) {
  Picture target(kTelaWidth, kTelaHeight, 0x808080);
  RunOnScreenPicture(state, [&](Picture& p) { effects::FadeStepToPicture(p, target); });
}
BENCHMARK(BM_EffectBlur)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectEmboss)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectCinza)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectBrilho)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectFiltro)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectFadeStepToColour)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_EffectFadeStepToPicture)->Unit(benchmark::kMicrosecond);

// A host whose waits take real time; events and showing cost nothing.
class SleepingHost : public FakeHost {
 public:
  void PumpEvents() override {}
  void ShowScreen() override {}
  void Sleep(std::uint32_t milliseconds) override {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
  }
};

// The whole fadeoff with Reg[39] = 20: the target is at most 5% over 32 x 20 ms. The counter
// "overhead_pct" reports how far over the waits alone it went.
void BM_EffectFadeoffEndToEnd(benchmark::State& state) {
  TempDir dir;
  SleepingHost host;
  Game game(host, GameConfig{dir.path(), "teste", "", {}});
  game.world().reg[39] = 20;
  const Picture original = ScreenPicture();
  double seconds = 0;
  for (auto _ : state) {
    state.PauseTiming();
    game.screen().screen_buffer = original;
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    EffectCommand(game, "fadeoff,$000000");
    seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  const double waits = 32 * 0.020 * static_cast<double>(state.iterations());
  state.counters["overhead_pct"] = 100.0 * (seconds - waits) / waits;
}
BENCHMARK(BM_EffectFadeoffEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace zunk
