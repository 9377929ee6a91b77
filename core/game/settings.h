// The settings file (base name + ".ovt"): line 3 names the start script, lines 5 and 6 hold
// the club login and password. Other lines are kept as they are.
#pragma once

#include <optional>
#include <string>

#include "platform/game_folder.h"

namespace zunk {

struct StartSettings {
  std::optional<std::string> start_script;  // line 3
  std::optional<std::string> login;         // line 5
  std::optional<std::string> password;      // line 6
};

// Reads the file from disk only; a missing file gives no values.
StartSettings ReadSettings(const GameFolder& folder, const std::string& base_name);

// Replaces lines 5 and 6 when the file exists (never creates it); a file of fewer than seven
// lines gets empty lines appended first. The write is atomic and uses CR LF.
bool WriteLoginBack(const GameFolder& folder, const std::string& base_name,
                    const std::string& login, const std::string& password);

}  // namespace zunk
