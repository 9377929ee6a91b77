// The headless player's picture console commands.
#include "picture_commands.h"

#include <array>
#include <string_view>

#include "qt_pictures.h"
#include "script/operands.h"

namespace zunk {
namespace {

void SavePicture(const Picture& picture, std::string_view path, std::string_view usage,
                 std::ostream& out) {
  if (path.empty()) {
    out << "aviso: uso: " << usage << '\n';
  } else if (picture.empty()) {
    out << "aviso: a imagem está vazia; nada gravado em " << path << '\n';
  } else if (!SavePng(picture, std::filesystem::path(std::string(path)))) {
    out << "aviso: não foi possível gravar " << path << '\n';
  }
}

void PrintSlots(const char* caption, const std::array<int, kPanelSlots>& cells, std::ostream& out) {
  out << caption;
  for (int object : cells) out << ' ' << object;
  out << '\n';
}

}  // namespace

bool RunPictureCommand(Game& game, const std::string& command, const std::string& utf8_argument,
                       std::ostream& out) {
  const std::string_view argument = TrimBlanks(utf8_argument);
  if (command == "screen") {
    SavePicture(game.screen().tela, argument, "!screen ARQUIVO.png", out);
  } else if (command == "buffer") {
    SavePicture(game.screen().screen_buffer, argument, "!buffer ARQUIVO.png", out);
  } else if (command == "panels") {
    PrintSlots("No local:", game.panels().loc_slots, out);
    PrintSlots("Com você:", game.panels().jog_slots, out);
  } else if (command == "panel") {
    const std::size_t blank = argument.find(' ');
    const std::string_view which = argument.substr(0, blank);
    const std::string_view path =
        blank == std::string_view::npos ? std::string_view() : TrimBlanks(argument.substr(blank));
    constexpr std::string_view kUsage = "!panel loc|jog ARQUIVO.png";
    if (which == "loc") {
      SavePicture(game.panels().loc, path, kUsage, out);
    } else if (which == "jog") {
      SavePicture(game.panels().jog, path, kUsage, out);
    } else {
      out << "aviso: uso: " << kUsage << '\n';
    }
  } else {
    return false;
  }
  return true;
}

}  // namespace zunk
