// The game window's speed: Return in Frase to the repainted window on a demo location, and
// the return of play on a background channel. Runs on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <cstdlib>
#include <memory>

#include "game_window.h"
#include "media_players.h"
#include "qt_gui_app.h"
#include "test_support.h"
#include "window_host.h"
#include "window_pictures.h"

namespace zunk {
namespace {

struct DemoWindow {
  DemoWindow() {
    std::filesystem::copy(ZUNK_DEMO_DIR, dir.path() / "jogo",
                          std::filesystem::copy_options::recursive);
    GameConfig config;
    config.game_dir = dir.path() / "jogo";
    config.base_name = "farol";
    game = std::make_unique<Game>(host, config);
    window = std::make_unique<GameWindow>(*game, LoadWindowArt(FindArtFolder()), true);
    host.AttachWindow(*game, *window);
    window->show();
    window->Dispatch([this] { game->Activate(); });
    QCoreApplication::processEvents();
  }
  ~DemoWindow() { host.DetachWindow(); }

  void TypeAndReturn(const QString& sentence) {
    window->frase().setPlainText(sentence);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
    QCoreApplication::sendEvent(&window->frase(), &press);
    window->repaint();  // the whole window, painted now
  }

  testing::TempDir dir;
  WindowHost host{true, false};
  std::unique_ptr<Game> game;
  std::unique_ptr<GameWindow> window;
};

// A typical turn: OLHE on the beach redraws the location (screen, panels, messages).
void BM_ReturnToRepaintedWindow(benchmark::State& state) {
  DemoWindow demo;
  for (auto _ : state) demo.TypeAndReturn(QStringLiteral("OLHE"));
}
BENCHMARK(BM_ReturnToRepaintedWindow)->Unit(benchmark::kMillisecond);

// A sentence the parser does not understand: messages and status only.
void BM_ReturnUnknownSentence(benchmark::State& state) {
  DemoWindow demo;
  for (auto _ : state) demo.TypeAndReturn(QStringLiteral("DANCE"));
}
BENCHMARK(BM_ReturnUnknownSentence)->Unit(benchmark::kMillisecond);

// play on a background channel, from the script's line to its return: the media back end
// opens the file asynchronously. Real players (not the scripted player's clock); each play
// replaces the last one on the channel, as a script playing sound after sound does.
void BM_PlayReturnsToTheScript(benchmark::State& state) {
  testing::TempDir dir;
  std::filesystem::copy(ZUNK_DEMO_DIR, dir.path() / "jogo",
                        std::filesystem::copy_options::recursive);
  GameConfig config;
  config.game_dir = dir.path() / "jogo";
  config.base_name = "farol";
  WindowHost host(false, false);
  Game game(host, config);
  GameWindow window(game, LoadWindowArt(FindArtFolder()), true);
  host.AttachWindow(game, window);
  window.show();
  host.media_players()->FirstFramePainted();
  const std::string line = "play " + std::to_string(state.range(0)) + ",0,sino.wav";
  for (auto _ : state) {
    game.ExecLineFromHost(line);
    state.PauseTiming();
    // A tenth of a second of the event loop between two plays, as between two of a player's
    // turns: the last file has opened and is playing when the next play replaces it.
    QElapsedTimer between;
    between.start();
    while (between.elapsed() < 100) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    state.ResumeTiming();
  }
  host.DetachWindow();
}
BENCHMARK(BM_PlayReturnsToTheScript)
    ->Arg(1)
    ->Arg(2)
    ->Iterations(40)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace zunk

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::setenv("QT_MEDIA_BACKEND", "gstreamer", 0);
  ::setenv("GST_PLUGIN_FEATURE_RANK", "openalsink:NONE", 0);  // no ALSA noise without sound
  zunk::KeepOnlySeriousQtMessages();
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
