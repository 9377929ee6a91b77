// The confined schemes: zunk-jogo: serves the game folder's pages and zunk-site: the pages
// shipped with zunk, each only from its own folder. A page is never opened as a file: URL,
// which would let it read the player's other files.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zunk {

class GameFolder;

struct ServedPage {
  std::string bytes;
  std::string mime_type;
};

// The CP1252 file name a confined address's path names ("/enredo.htm", percent-encoded
// UTF-8), or nothing when it is empty, holds "..", a NUL, a drive prefix or an absolute path.
std::optional<std::string> PageNameFromUrlPath(std::string_view url_path);

// The MIME type the browser is told for a file name, by its extension.
std::string PageMimeType(std::string_view name);

// The file a confined address's path names, read from the folder (names matched
// case-insensitively); nothing when it is refused or missing.
std::optional<ServedPage> ServePage(const GameFolder& folder, std::string_view url_path);

}  // namespace zunk
