// zunk-bmp-to-png IN.bmp OUT.png: converts one of our own BMP pictures (the program's icon)
// into PNG, keeping magenta as transparency, for the desktop.
#include <QImage>
#include <fstream>
#include <iostream>
#include <iterator>

#include "qt_gui_app.h"
#include "qt_pictures.h"
#include "screen/bmp_decoder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "uso: zunk-bmp-to-png ENTRADA.bmp SAIDA.png\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const auto picture = zunk::DecodeBmp(bytes);
  if (!picture) {
    std::cerr << "zunk-bmp-to-png: não é um BMP: " << argv[1] << '\n';
    return 1;
  }
  zunk::EnsureGuiApplication();
  return zunk::ToKeyedQImage(*picture).save(QString::fromLocal8Bit(argv[2]), "PNG") ? 0 : 1;
}
