// Picture loading speed: a screen-sized JPEG decoded by LoadPicture, and a panel picture
// served from the picture cache.
#include <benchmark/benchmark.h>

#include "picture_files.h"
#include "screen/picture_loader.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::TempDir;
using testing::WriteBytes;

// A 480 × 200 scene with gradients and fine detail, so the JPEG carries real work.
Picture Scene() {
  Picture picture(480, 200);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      const int detail = ((x * 7) ^ (y * 13)) & 31;
      picture.SetPixel(x, y,
                       MakeColour((x / 2 + detail) & 255, (y + detail) & 255, (x + y) / 3 & 255));
    }
  }
  return picture;
}

class BenchGame {
 public:
  BenchGame() : game_(host_, GameConfig{dir_.path(), "teste", "", {}}) {
    WriteBytes(dir_.path() / "cena.jpg", EncodeJpeg(Scene(), 90));
    WriteBytes(dir_.path() / "objeto.bmp", EncodeBmp24(Picture(40, 40, kMagenta)));
  }
  Game& game() { return game_; }

 private:
  TempDir dir_;
  FakeHost host_;
  Game game_;
};

void BM_LoadScreenJpeg(benchmark::State& state) {
  BenchGame bench;
  Picture picture;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadPicture(bench.game(), picture, "cena.jpg"));
  }
}
BENCHMARK(BM_LoadScreenJpeg)->Unit(benchmark::kMicrosecond);

void BM_LoadPanelPictureCached(benchmark::State& state) {
  BenchGame bench;
  Picture picture;
  LoadPictureCached(bench.game(), picture, "objeto.bmp");
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadPictureCached(bench.game(), picture, "objeto.bmp"));
  }
}
BENCHMARK(BM_LoadPanelPictureCached)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zunk
