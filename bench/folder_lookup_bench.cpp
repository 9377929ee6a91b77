// What a game folder's size costs: lookups right after our own writes (every ".img" load
// writes the scratch "tmp.jpg"), availability checks of missing scripts, and cached panel
// pictures, in folders of 10 and 10,000 files. The costs should not grow with the folder.
#include <benchmark/benchmark.h>

#include <string>

#include "picture_files.h"
#include "screen/picture_loader.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::FakeHost;
using testing::SettleTime;
using testing::TempDir;
using testing::WriteBytes;

// A small scene: the folder's costs, not the decoder's, are what is measured.
Picture SmallScene() {
  Picture picture(64, 40);
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) picture.SetPixel(x, y, MakeColour(x * 4, y * 6, 90));
  }
  return picture;
}

std::string Scrambled(std::string bytes) {
  for (char& c : bytes) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ kPictureKey);
  return bytes;
}

// A game folder holding `files` other files (scripts and pictures, as a big game has).
class FolderGame {
 public:
  explicit FolderGame(int files) {
    const std::string jpeg = EncodeJpeg(SmallScene(), 85);
    WriteBytes(dir_.path() / "cena.jpg", jpeg);
    WriteBytes(dir_.path() / "cena.img", Scrambled(jpeg));
    WriteBytes(dir_.path() / "objeto.bmp", EncodeBmp24(Picture(40, 40, kMagenta)));
    for (int i = 0; i < files; ++i) {
      const std::string name = (i % 2 ? "local" : "foto") + std::to_string(i);
      WriteBytes(dir_.path() / (name + (i % 2 ? ".scpt" : ".jpg")), "00");
    }
    SettleTime(dir_.path());  // installed a while ago, as a player's game is
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", "", {}});
  }
  Game& game() { return *game_; }

 private:
  TempDir dir_;
  FakeHost host_;
  std::unique_ptr<Game> game_;
};

// One picture load and the two script checks of a sentence that has no script (the verb's
// own script and its general script).
void LoadThenMissingScripts(benchmark::State& state, const char* picture_name) {
  FolderGame bench(static_cast<int>(state.range(0)));
  Game& game = bench.game();
  Picture picture;
  for (auto _ : state) {
    if (!LoadPicture(game, picture, picture_name)) {
      state.SkipWithError("the picture did not load");
      break;
    }
    benchmark::DoNotOptimize(game.ScriptAvailable("0A001002"));
    benchmark::DoNotOptimize(game.ScriptAvailable("0A000000"));
  }
}

void BM_ImgLoadThenMissingScripts(benchmark::State& state) {
  LoadThenMissingScripts(state, "cena.img");
}
BENCHMARK(BM_ImgLoadThenMissingScripts)->Arg(10)->Arg(10'000)->Unit(benchmark::kMicrosecond);

void BM_JpgLoadThenMissingScripts(benchmark::State& state) {
  LoadThenMissingScripts(state, "cena.jpg");
}
BENCHMARK(BM_JpgLoadThenMissingScripts)->Arg(10)->Arg(10'000)->Unit(benchmark::kMicrosecond);

// A panel picture served from the cache, as every panel redraw asks for it.
void BM_CachedPanelPicture(benchmark::State& state) {
  FolderGame bench(static_cast<int>(state.range(0)));
  Picture picture;
  LoadPictureCached(bench.game(), picture, "objeto.bmp");
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadPictureCached(bench.game(), picture, "objeto.bmp"));
  }
}
BENCHMARK(BM_CachedPanelPicture)->Arg(10)->Arg(10'000)->Unit(benchmark::kMicrosecond);

// Decoding the same panel picture again, the cost the cache saves.
void BM_UncachedPanelPicture(benchmark::State& state) {
  FolderGame bench(10);
  Picture picture;
  for (auto _ : state) benchmark::DoNotOptimize(LoadPicture(bench.game(), picture, "objeto.bmp"));
}
BENCHMARK(BM_UncachedPanelPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zunk
