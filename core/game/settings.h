// The settings file (base name + ".ovt"): line 3 names the start script, lines 5 and 6 hold
// the club login and password, line 8 the site root (the publisher's web site that "ZUNK
// online" and the pop-up browser's site buttons open: an http or https address; missing,
// empty or anything else: the pages shipped with zunk, read from disk). Other lines are kept
// as they are, byte for byte.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "game/world/line_list.h"
#include "platform/game_folder.h"

namespace zunk {

struct StartSettings {
  std::optional<std::string> start_script;  // line 3
  std::optional<std::string> login;         // line 5
  std::optional<std::string> password;      // line 6
  std::optional<std::string> site_root;     // line 8
};

inline std::string SettingsFileName(const std::string& base_name) {
  return base_name + ".ovt";
}

// The values of the file's lines (as loaded, long lines cut).
StartSettings SettingsFromLines(const LineList& lines);

// Writes lines 5 and 6 when the file exists (never creates it) and they differ from what it
// holds (a missing line counts as empty); every other byte of the file stays as it was, line
// ends included. A file of fewer than seven lines gets the lines it lacks, ended as its
// first line is (CR LF when it has none). The write is atomic. False when the file could not
// be read or written.
bool WriteLoginBack(const GameFolder& folder, const std::string& base_name,
                    const std::string& login, const std::string& password);

}  // namespace zunk
