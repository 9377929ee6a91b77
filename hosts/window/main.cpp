// zunk: plays a game in its window. Started with no game found, it asks for the game folder.
// With --input it plays the lines of a file into the window's widgets on the headless
// player's virtual clock and writes the same transcript as zunk-run.
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "game/game.h"
#include "game_window.h"
#include "platform/cp1252.h"
#include "player.h"
#include "qt_gui_app.h"
#include "qt_strings.h"
#include "script/script_fault.h"
#include "window_host.h"
#include "window_input.h"
#include "window_pictures.h"

namespace {

constexpr const char* kUsage =
    "uso: zunk [PASTA_DO_JOGO] [--base NOME] [--url URL] [--scale N]\n"
    "          [--input ARQUIVO] [--realtime] [--first-frame]\n";

struct Options {
  std::string game_dir;
  std::string base;
  bool have_base = false;
  std::string url;
  std::string input;
  bool realtime = false;
  int scale = 0;             // 0: the screen's own factor, rounded to a whole number
  bool first_frame = false;  // print the time and memory of the first frame, then end
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    std::string scale;
    if (arg == "--base") {
      if (!value(options.base)) return false;
      options.have_base = true;
    } else if (arg == "--url") {
      if (!value(options.url)) return false;
    } else if (arg == "--input") {
      if (!value(options.input)) return false;
    } else if (arg == "--scale") {
      if (!value(scale)) return false;
      options.scale = std::atoi(scale.c_str());
      if (options.scale < 1 || options.scale > 8) return false;
    } else if (arg == "--realtime") {
      options.realtime = true;
    } else if (arg == "--first-frame") {
      options.first_frame = true;
    } else if (!arg.empty() && arg[0] != '-' && options.game_dir.empty()) {
      options.game_dir = arg;
    } else {
      return false;
    }
  }
  return true;
}

// Milliseconds on the monotonic clock, comparable with a launcher's own reading.
double MonotonicMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  while (status >> key) {
    if (key == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
    status.ignore(4096, '\n');
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << kUsage;
    return 2;
  }
  // Shaped, self-placed and always-on-top windows need X11 (through XWayland under Wayland).
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
    if (std::getenv("DISPLAY") == nullptr) {
      std::cerr << "zunk: não há tela gráfica (DISPLAY não definido); num terminal, jogue com "
                   "zunk-run\n";
      return 1;
    }
    ::setenv("QT_QPA_PLATFORM", "xcb", 0);
  }
  if (options.scale > 0) {
    ::setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
    ::setenv("QT_SCALE_FACTOR", std::to_string(options.scale).c_str(), 1);
  } else {
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
  }
  // Sound and film through GStreamer, whose plugins give the formats games use (MIDI
  // included); a user's own choice of back end is kept.
  ::setenv("QT_MEDIA_BACKEND", "gstreamer", 0);
  zunk::KeepOnlySeriousQtMessages();
  // Qt::AA_ShareOpenGLContexts is not set here: with it Qt makes a shared OpenGL context at
  // once, some 60 MB of resident memory before any page. The web module makes that context
  // when the first page is shown (hosts/web_module/web_module.cpp).
  QApplication app(argc, argv);
  QApplication::setApplicationName("zunk");
  const bool scripted = !options.input.empty();

  zunk::GameConfig config;
  if (options.game_dir.empty()) {
    config = zunk::ConfigFromProgramPath(std::filesystem::read_symlink("/proc/self/exe"));
    if (!options.have_base && !zunk::HoldsGame(config.game_dir, config.base_name)) {
      if (scripted) {
        std::cerr << "zunk: nenhum jogo encontrado; indique a pasta do jogo\n";
        return 1;
      }
      const QString folder = QFileDialog::getExistingDirectory(
          nullptr, QString::fromUtf8("Escolha a pasta do jogo"), QDir::homePath());
      if (folder.isEmpty()) return 0;
      options.game_dir = folder.toStdString();
    }
  }
  if (!options.game_dir.empty()) {
    if (!std::filesystem::is_directory(options.game_dir)) {
      std::cerr << "zunk: pasta do jogo não encontrada: " << options.game_dir << '\n';
      return 1;
    }
    config.game_dir = options.game_dir;
    config.base_name = zunk::FindBaseName(options.game_dir);
  }
  if (options.have_base) config.base_name = zunk::Utf8ToCp1252(options.base);
  config.url = zunk::Utf8ToCp1252(options.url);

  std::ifstream input;
  if (scripted) {
    input.open(options.input);
    if (!input) {
      std::cerr << "zunk: não foi possível ler " << options.input << '\n';
      return 1;
    }
  }

  zunk::WindowHost host(scripted, options.realtime);
  std::unique_ptr<zunk::Game> game;
  try {
    game = std::make_unique<zunk::Game>(host, config);
  } catch (const zunk::StartupFailure& failure) {
    const std::string text = zunk::Cp1252ToUtf8(failure.what());
    std::cerr << "erro: " << text << '\n';
    if (!scripted) QMessageBox::critical(nullptr, "zunk", QString::fromStdString(text));
    return 1;
  }
  int status = 0;
  {
    zunk::GameWindow window(*game, zunk::LoadWindowArt(zunk::FindArtFolder()), scripted);
    host.AttachWindow(*game, window);
    if (options.first_frame) {
      window.OnFirstPaint([&window] {
        std::cout << std::fixed << "primeiro quadro: " << MonotonicMs() << " ms, residente "
                  << ResidentKiB() / 1024.0 << " MB\n"
                  << std::flush;
        QMetaObject::invokeMethod(&window, &QWidget::close, Qt::QueuedConnection);
      });
    }
    window.show();
    if (scripted) {
      zunk::WindowInput driver(*game, window);
      zunk::HeadlessPlayer player(host, *game, std::cout, &driver);
      try {
        QCoreApplication::processEvents();
        // Console commands reach the game directly: the window shows their effect after each line.
        player.Start();
        window.Refresh();
        std::string line;
        while (!player.ended() && !window.closing() && std::getline(input, line)) {
          if (options.realtime) host.FireDueTimers();
          player.HandleLine(line);
          if (!window.closing()) window.Refresh();
          QCoreApplication::processEvents();
        }
        player.Finish();
      } catch (const zunk::RunsEnded&) {
      }
    } else {
      status = QApplication::exec();
    }
    host.DetachWindow();
  }
  game.reset();  // writes the club login back to the settings file
  return status;
}
