// Picture loading speed: a screen-sized JPEG decoded by LoadPicture, a panel picture served
// from the picture cache, and archive extraction, which must stay linear in the names and
// entries of the archive.
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
  const std::filesystem::path& dir() const { return dir_.path(); }

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

// An archive of entries whose names nest range(0) folders deep ("a/a/.../a/fN"), of which
// only those within the folder bound are written.
void BM_ExtractDeepNames(benchmark::State& state) {
  BenchGame bench;
  std::string prefix;
  for (int i = 0; i < state.range(0); ++i) prefix += "a/";
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i = 0; i < 100; ++i) entries.emplace_back(prefix + "f" + std::to_string(i), "x");
  WriteBytes(bench.dir() / "fundo.zip", MakeZip(entries));
  for (auto _ : state) {
    benchmark::DoNotOptimize(ExtractArchive(bench.game(), "fundo.zip"));
  }
}
BENCHMARK(BM_ExtractDeepNames)->Arg(8)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

// An archive of range(0) small files in one folder, extracted into an empty folder each time.
void BM_ExtractManyEntries(benchmark::State& state) {
  BenchGame bench;
  std::vector<std::pair<std::string, std::string>> entries;
  for (int i = 0; i < state.range(0); ++i) entries.emplace_back("m/f" + std::to_string(i), "x");
  WriteBytes(bench.dir() / "muitos.zip", MakeZip(entries));
  for (auto _ : state) {
    state.PauseTiming();
    std::filesystem::remove_all(bench.dir() / "m");
    state.ResumeTiming();
    benchmark::DoNotOptimize(ExtractArchive(bench.game(), "muitos.zip"));
  }
}
BENCHMARK(BM_ExtractManyEntries)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zunk
