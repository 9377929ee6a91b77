// zunk-run: plays a game without a window, reading sentences and console commands from a
// file or standard input and writing a transcript to standard output; with --expect it
// compares the transcript with an approved one.
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <string>

#include "game/game.h"
#include "headless_host.h"
#include "platform/cp1252.h"
#include "player.h"
#include "transcript_diff.h"
#include "transcript_tee.h"

namespace {

constexpr const char* kUsage =
    "uso: zunk-run [PASTA_DO_JOGO] [--base NOME] [--url URL] [--input ARQUIVO]\n"
    "              [--expect ARQUIVO] [--realtime]\n";

}  // namespace

int main(int argc, char** argv) {
  std::string game_dir;
  std::string base;
  std::string url;
  std::string input;
  std::string expect;
  bool have_base = false;
  bool have_expect = false;
  bool realtime = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    if (arg == "--base") {
      if (!value(base)) return std::cerr << kUsage, 2;
      have_base = true;
    } else if (arg == "--url") {
      if (!value(url)) return std::cerr << kUsage, 2;
    } else if (arg == "--input") {
      if (!value(input)) return std::cerr << kUsage, 2;
    } else if (arg == "--expect") {
      if (!value(expect)) return std::cerr << kUsage, 2;
      have_expect = true;
    } else if (arg == "--realtime") {
      realtime = true;
    } else if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (!arg.empty() && arg[0] != '-' && game_dir.empty()) {
      game_dir = arg;
    } else {
      std::cerr << kUsage;
      return 2;
    }
  }

  std::string expected;
  if (have_expect) {
    std::ifstream file(expect, std::ios::binary);
    if (!file) {
      std::cerr << "zunk-run: não foi possível ler a transcrição esperada " << expect << '\n';
      return 2;
    }
    expected.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }

  zunk::GameConfig config;
  if (game_dir.empty()) {
    config = zunk::ConfigFromProgramPath(std::filesystem::read_symlink("/proc/self/exe"));
  } else {
    if (!std::filesystem::is_directory(game_dir)) {
      std::cerr << "zunk-run: pasta do jogo não encontrada: " << game_dir << '\n';
      return 1;
    }
    config.game_dir = game_dir;
    config.base_name = zunk::FindBaseName(game_dir);
  }
  if (have_base) config.base_name = zunk::Utf8ToCp1252(base);
  config.url = zunk::Utf8ToCp1252(url);

  std::ifstream file;
  if (!input.empty()) {
    file.open(input);
    if (!file) {
      std::cerr << "zunk-run: não foi possível ler " << input << '\n';
      return 1;
    }
  }
  std::istream& in = input.empty() ? std::cin : file;

  zunk::HeadlessHost host(realtime);
  std::unique_ptr<zunk::Game> game;
  try {
    game = std::make_unique<zunk::Game>(host, config);
  } catch (const zunk::StartupFailure& failure) {
    std::cerr << "erro: " << zunk::Cp1252ToUtf8(failure.what()) << '\n';
    return 1;
  }
  host.Attach(*game);
  zunk::TeeBuffer tee(std::cout.rdbuf());
  std::ostream transcript(&tee);
  {
    zunk::HeadlessPlayer player(host, *game, transcript);
    player.Start();
    std::string line;
    while (!player.ended() && std::getline(in, line)) {
      // Real time goes on while the input is awaited: timers due meanwhile fire now, once.
      if (realtime) host.FireDueTimers();
      player.HandleLine(line);
    }
    player.Finish();
  }
  transcript.flush();
  if (!have_expect) return 0;
  const std::string diff = zunk::LineDiff(zunk::NormalizeLineBreaks(expected), tee.copy());
  if (diff.empty()) return 0;
  std::cerr << "zunk-run: a transcrição difere de " << expect << '\n'
            << "--- " << expect << " (esperada)\n+++ obtida\n"
            << diff;
  return 1;
}
