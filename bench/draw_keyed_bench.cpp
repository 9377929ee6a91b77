// Keyed drawing of a full-screen layer, and a redraw of the object panel with six objects
// whose pictures are already decoded.
#include <benchmark/benchmark.h>

#include <string>

#include "picture_files.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WriteBytes;

// A 480 × 200 layer of varied colours with a magenta band and scattered magenta pixels.
Picture ScreenLayer() {
  Picture layer(kTelaWidth, kTelaHeight);
  for (int y = 0; y < layer.height(); ++y) {
    for (int x = 0; x < layer.width(); ++x) {
      const bool keyed = (y >= 80 && y < 120) || (x * 7 + y * 3) % 11 == 0;
      layer.SetPixel(x, y, keyed ? kMagenta : MakeColour(x & 0xFF, y, (x + y) & 0xFF));
    }
  }
  return layer;
}

void BM_DrawKeyedFullLayer(benchmark::State& state) {
  const Picture layer = ScreenLayer();
  Picture screen(kTelaWidth, kTelaHeight, 0x808080);
  for (auto _ : state) {
    DrawKeyed(screen, layer, 0, 0, 0, 0, kTelaWidth, kTelaHeight, kTelaWidth, kTelaHeight);
    benchmark::DoNotOptimize(screen.Row(0));
  }
}
BENCHMARK(BM_DrawKeyedFullLayer)->Unit(benchmark::kMicrosecond);

void BM_RedrawPanelSixObjects(benchmark::State& state) {
  TempDir dir;
  std::string objects;
  for (int n = 1; n <= 6; ++n) {
    Picture picture(32, 32, MakeColour(40 * n, 255 - 40 * n, 90));
    picture.FillRect(0, 0, 8, 32, kMagenta);
    const std::string name = "obj" + std::to_string(n) + ".bmp";
    WriteBytes(dir.path() / name, EncodeBmp24(picture));
    objects += "OBJ" + std::to_string(n) + "\nobjeto\nsala\n........\n1\n1\n" + name + "\n\n\n\n";
  }
  WriteBytes(dir.path() / "teste.obj", objects);
  FakeHost host;
  Game game(host, GameConfig{dir.path(), "teste", "", {}});
  game.world().local = "sala";
  RedrawPanel(game, Panel::Loc);  // decodes the pictures once
  for (auto _ : state) {
    RedrawPanel(game, Panel::Loc);
    host.log.clear();
    benchmark::DoNotOptimize(game.panels().loc.Row(0));
  }
}
BENCHMARK(BM_RedrawPanelSixObjects)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zunk
