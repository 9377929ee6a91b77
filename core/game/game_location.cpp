// Finding a game's folder and base name from a program path or a folder.
#include <algorithm>
#include <vector>

#include "game/game.h"
#include "platform/cp1252.h"

namespace zunk {

GameConfig ConfigFromProgramPath(const std::filesystem::path& program) {
  GameConfig config;
  config.game_dir = program.parent_path();
  const std::string file = Utf8ToCp1252(program.filename().string());
  config.base_name = file.size() > 4 ? file.substr(0, file.size() - 4) : std::string();
  return config;
}

std::string FindBaseName(const std::filesystem::path& game_dir) {
  std::vector<std::string> stems;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(game_dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string ext = it->path().extension().string();
    for (char& c : ext) c = FoldCp1252(c);
    if (ext == ".VRB" || ext == ".PLR" || ext == ".MSG" || ext == ".OBJ" || ext == ".OVT") {
      stems.push_back(Utf8ToCp1252(it->path().stem().string()));
    }
  }
  if (!stems.empty()) return *std::min_element(stems.begin(), stems.end());
  return Utf8ToCp1252(std::filesystem::absolute(game_dir).lexically_normal().filename().string());
}

bool HoldsGame(const std::filesystem::path& game_dir, const std::string& base_name) {
  std::string wanted = base_name;
  for (char& c : wanted) c = FoldCp1252(c);
  std::error_code ec;
  for (std::filesystem::directory_iterator it(game_dir, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::string ext = it->path().extension().string();
    for (char& c : ext) c = FoldCp1252(c);
    if (ext != ".VRB" && ext != ".PLR" && ext != ".MSG" && ext != ".OBJ" && ext != ".OVT") continue;
    std::string stem = Utf8ToCp1252(it->path().stem().string());
    for (char& c : stem) c = FoldCp1252(c);
    if (stem == wanted) return true;
  }
  return false;
}

}  // namespace zunk
