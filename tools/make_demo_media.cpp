// zunk-demo-media OUTDIR: writes the sounds, the tune and the film of the demo game into
// OUTDIR, the same bytes on every build: sino.wav (a short bell tone), ondas.wav (a low,
// longer tone), musica.mid (a short tune) and gaivotas.avi (a gull flying over the waves, MJPEG).
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "drawing.h"
#include "media_files.h"

namespace zunk {
namespace {

// One frame of the film: the sea at dusk, its waves moving, a gull crossing.
Picture FilmFrame(int frame, int frames) {
  constexpr int kWidth = 160;
  constexpr int kHeight = 96;
  Picture p(kWidth, kHeight);
  VerticalGradient(p, 0, 56, Hex(0x3B3A5A), Hex(0xE59A5C));
  Disc(p, 40, 56, 12, Hex(0xF5C16C));
  VerticalGradient(p, 54, kHeight, Hex(0x2D4A6B), Hex(0x1F3550));
  const double phase = 2 * kPi * frame / frames;
  for (int row = 0; row < 8; ++row) {
    const int y = 60 + row * 4;
    for (int x = 0; x < kWidth; ++x) {
      if (std::sin(x / 9.0 + phase + row) > 0.8) Plot(p, x, y, Hex(0x8FB0D3));
    }
  }
  const double gx = 10 + 140.0 * frame / frames;
  const double gy = 26 + 4 * std::sin(phase * 2);
  const double wing = 6 * std::sin(phase * 4);
  Line(p, {gx - 9, gy - wing}, {gx, gy}, 2, Hex(0xF4F4F0));
  Line(p, {gx, gy}, {gx + 9, gy - wing}, 2, Hex(0xF4F4F0));
  return p;
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out);
}

}  // namespace
}  // namespace zunk

int main(int argc, char** argv) {
  using namespace zunk;
  if (argc != 2) {
    std::cerr << "uso: zunk-demo-media PASTA\n";
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  constexpr int kFrames = 12;
  std::vector<Picture> frames;
  for (int i = 0; i < kFrames; ++i) frames.push_back(FilmFrame(i, kFrames));
  // A tune in C major: eight quarter notes and a half note at 120 beats a minute (4.5 s).
  const std::vector<TuneNote> tune = {{60, 480}, {64, 480}, {67, 480}, {72, 480}, {67, 480},
                                      {64, 480}, {62, 480}, {65, 480}, {60, 960}};
  const bool ok = WriteFile(dir / "sino.wav", EncodeWaveTone(600, 880)) &&
                  WriteFile(dir / "ondas.wav", EncodeWaveTone(2000, 110)) &&
                  WriteFile(dir / "musica.mid", EncodeMidiTune(tune)) &&
                  WriteFile(dir / "gaivotas.avi", EncodeMjpegAvi(frames, 6));
  if (!ok) {
    std::cerr << "zunk-demo-media: não foi possível escrever em " << dir << '\n';
    return 1;
  }
  return 0;
}
