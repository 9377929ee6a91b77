// Reading and writing back the settings file.
#include "game/settings.h"

#include "game/world/line_list.h"

namespace zunk {
namespace {
constexpr int kStartScriptLine = 3;
constexpr int kLoginLine = 5;
constexpr int kPasswordLine = 6;
}  // namespace

StartSettings ReadSettings(const GameFolder& folder, const std::string& base_name) {
  StartSettings settings;
  const auto bytes = folder.Read(base_name + ".ovt");
  if (!bytes) return settings;
  LineList lines;
  lines.SetText(*bytes);
  if (lines.Count() > kStartScriptLine) settings.start_script = lines.Get(kStartScriptLine);
  if (lines.Count() > kLoginLine) settings.login = lines.Get(kLoginLine);
  if (lines.Count() > kPasswordLine) settings.password = lines.Get(kPasswordLine);
  return settings;
}

bool WriteLoginBack(const GameFolder& folder, const std::string& base_name,
                    const std::string& login, const std::string& password) {
  const std::string name = base_name + ".ovt";
  const auto bytes = folder.Read(name);
  if (!bytes) return false;
  LineList lines;
  lines.SetText(*bytes);
  while (lines.Count() <= kPasswordLine) lines.Append("");
  lines.Set(kLoginLine, login);
  lines.Set(kPasswordLine, password);
  return folder.Write(name, lines.Text());
}

}  // namespace zunk
