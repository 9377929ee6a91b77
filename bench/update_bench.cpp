// "Atualizar" of 1,000 unchanged files: the list arrives from the host (no network), is saved
// into the game folder, and every file is found up to date by its size alone.
#include <benchmark/benchmark.h>

#include <string>

#include "test_support.h"
#include "web/updates.h"

namespace zunk {
namespace {

using testing::TempDir;
using testing::WriteBytes;

// A host that answers every request with the list and does nothing else.
class ListHost : public Host {
 public:
  void PumpEvents() override {}
  std::uint32_t TickCount() override { return 0; }
  void Sleep(std::uint32_t) override {}
  HttpResult HttpGet(const HttpRequest&) override {
    ++requests;
    return {true, 200, list, {}};
  }
  void SetLamp(Lamp) override {}
  void ShowError(const std::string&) override {}
  void DrawText(Picture&, int, int, const std::string&, const Font&) override {}

  std::string list;
  int requests = 0;
};

void BM_UpdateOfUnchangedFiles(benchmark::State& state) {
  const int files = static_cast<int>(state.range(0));
  TempDir dir;
  ListHost host;
  host.list = "lista\r\n0\r\n";
  for (int i = 0; i < files; ++i) {
    const std::string name =
        "pasta" + std::to_string(i % 10) + "/arquivo" + std::to_string(i) + ".jpg";
    const std::string bytes(static_cast<std::size_t>(100 + i % 50), 'x');
    WriteBytes(dir.path() / name, bytes);
    host.list += name + "\r\n" + std::to_string(bytes.size()) + "\r\n";
  }
  Game game(host, GameConfig{dir.path(), "teste", "http://127.0.0.1/", {}});
  for (auto _ : state) {
    host.requests = 0;
    const UpdateOutcome outcome = PressUpdate(game, UpdateKind::Files);
    if (host.requests != 1 || outcome.checked != static_cast<std::size_t>(files)) {
      state.SkipWithError("files were fetched");
      break;
    }
  }
}
BENCHMARK(BM_UpdateOfUnchangedFiles)->Arg(1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zunk
