// From Return to a finished screen: one typed sentence moves the player into a location whose
// 30-line script loads a 480 × 200 JPEG screen (decoded at every entry, as tela always loads),
// draws shapes and a sprite cell, prints a title, sets links, exits, suggestions and messages
// and refreshes; the move then redraws both object panels (six objects, pictures cached).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "picture_files.h"
#include "script/script_codec.h"
#include "test_support.h"

namespace zunk {
namespace {

using testing::TempDir;
using testing::WriteBytes;

// A host that does what a window would do at no cost of its own: a real clock, no events, no
// network, and text as a filled box of roughly the text's size (no font engine in the core).
class BenchHost : public Host {
 public:
  void PumpEvents() override {}
  std::uint32_t TickCount() override {
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                          std::chrono::steady_clock::now().time_since_epoch())
                                          .count());
  }
  void Sleep(std::uint32_t) override {}
  HttpResult HttpGet(const HttpRequest&) override { return {}; }
  void SetLamp(Lamp) override {}
  void ShowError(const std::string& message) override { errors.push_back(message); }
  void DrawText(Picture& picture, int x, int y, const std::string& text,
                const Font& font) override {
    picture.FillRect(x, y, static_cast<int>(text.size()) * 8, 14, font.colour);
  }

  std::vector<std::string> errors;
};

// A painted screen as games have them (sky and sea gradients, shapes, textured ground), a
// JPEG of about 35 KB, which is what a location's picture usually weighs.
Picture PaintedScreen() {
  Picture p(kTelaWidth, kTelaHeight);
  std::uint32_t h = 12345;
  for (int y = 0; y < p.height(); ++y) {
    for (int x = 0; x < p.width(); ++x) {
      h = h * 1103515245u + 12345u;
      const int grain = static_cast<int>(h >> 28);  // 0..15
      Colour c = y < 110 ? MakeColour(60 + y, 70 + y / 2, 140 - y / 3)
                         : MakeColour(30 + grain * (y > 150 ? 4 : 1), 60 + (x + y) % 40, 90);
      if ((x - 120) * (x - 120) + (y - 100) * (y - 100) < 400) c = MakeColour(250, 200, 110);
      if (x > 330 && y > 200 - (x - 330) / 2 - 40) c = MakeColour(70 + grain * 3, 60, 50);
      p.SetPixel(x, y, c);
    }
  }
  return p;
}

Picture Sprite(int width, int height, Colour colour) {
  Picture p(width, height, colour);
  p.FillRect(0, 0, width / 4, height, kMagenta);
  return p;
}

const std::vector<std::string> kLocationScript = {
    "norte= sala",
    "sul= corredor",
    "telmod 0",
    "hud= off",
    "tela sala.jpg",
    "shape 40,120,bau.bmp",
    "shape 300,90,lampiao.bmp",
    "frame 1,200,20,4,morcego.bmp",
    "sombra 1,1,000000",
    "print 12,172,A sala",
    "link 0,0,0,60,200,2,1,corredor",
    "link 1,40,120,40,40,2,9,abra o bau",
    "link 2,300,90,24,40,2,3,lampiao",
    "link 3,200,20,48,32,0,10,Um morcego dorme no teto.",
    "se= visitas,0,:primeira",
    "msg# De volta \xE0 sala.",
    "goto descricao",
    ":primeira",
    "msg# Voc\xEA entra na sala.",
    ":descricao",
    "msg# Uma sala de pedra, fria e \xFAmida.",
    "msg# H\xE1 um ba\xFA num canto e um lampi\xE3o na parede.",
    "msg+  A porta fica ao sul.",
    "inc visitas",
    "conta contagem,loc",
    "refresh",
    "sgt= 1,Olhar em volta",
    "sgt# 1,olhar",
    "fim",
    ":saida",
};

void BM_SentenceIntoLocation(benchmark::State& state) {
  TempDir dir;
  const auto& folder = dir.path();
  const std::string jpeg = EncodeJpeg(PaintedScreen());
  WriteBytes(folder / "sala.jpg", jpeg);
  WriteBytes(folder / "bau.bmp", EncodeBmp24(Sprite(40, 40, 0x2A5A8A)));
  WriteBytes(folder / "lampiao.bmp", EncodeBmp24(Sprite(24, 40, 0x30C0F0)));
  WriteBytes(folder / "morcego.bmp", EncodeBmp24(Sprite(192, 32, 0x303030)));
  // Three objects lie in the room and three are carried, each with its panel picture.
  std::string objects;
  for (int n = 1; n <= 6; ++n) {
    const std::string picture = "obj" + std::to_string(n) + ".bmp";
    WriteBytes(folder / picture, EncodeBmp24(Sprite(32, 32, MakeColour(40 * n, 90, 200))));
    objects += "OBJ" + std::to_string(n) + "\r\num objeto\r\n" + (n <= 3 ? "sala" : "jog1") +
               "\r\n" + (n <= 3 ? "........" : "X.......") + "\r\n1\r\n1\r\n" + picture +
               "\r\n\r\n\r\n\r\n";
  }
  WriteBytes(folder / "teste.obj", objects);
  WriteBytes(folder / "teste.vrb", "NORTE\r\nLESTE\r\nSUL\r\nOESTE\r\n");
  WriteBytes(folder / "teste.plr", "OBJ1\r\nOBJ2\r\nOBJ3\r\nOBJ4\r\nOBJ5\r\nOBJ6\r\n");
  WriteBytes(folder / "inicio.scpt",
             EncodeScript({"def 40,visitas", "def 41,contagem", "reg 2,6", "irpara sala"}));
  WriteBytes(folder / "sala.scpt", EncodeScript(kLocationScript));
  WriteBytes(folder / "01000000.scpt", EncodeScript({"se= 16,0,:andou", "msg= Parede.", ":andou"}));

  BenchHost host;
  Game game(host, GameConfig{folder, "teste", "", {}});
  game.Activate();  // the start script enters the room once: panel pictures are now cached
  game.EnterSentence("NORTE");
  if (!host.errors.empty() || game.world().local != "sala" || game.output().lines().size() != 3) {
    state.SkipWithError("the sentence did not run the location script");
    return;
  }
  for (auto _ : state) {
    game.EnterSentence("NORTE");
    benchmark::DoNotOptimize(game.screen().tela.Row(0));
  }
  state.counters["jpeg_kb"] = static_cast<double>(jpeg.size()) / 1024;
}
BENCHMARK(BM_SentenceIntoLocation)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace zunk
