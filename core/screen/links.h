// The link table: ten hot areas of the picture screen, each with a pointer shape and an
// action, and the link under the pointer; the script commands link and zeralinks.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zunk {

class Game;

inline constexpr int kLinkCount = 10;

// What a press on a link does (ActionCode); 0 and values above 10 do nothing.
enum LinkAction : std::uint8_t {
  kLinkLocation = 1,
  kLinkPicture = 2,
  kLinkScript = 3,
  kLinkButton = 4,
  kLinkLabel = 5,
  kLinkSound = 6,
  kLinkVideo = 7,
  kLinkWebPage = 8,
  kLinkSentence = 9,
  kLinkText = 10,
};

struct Link {
  bool active = false;           // Active
  std::int32_t x = 0;            // X, in ScreenBuffer coordinates
  std::int32_t y = 0;            // Y
  std::int32_t height = 0;       // Height
  std::int32_t width = 0;        // Width
  std::uint8_t cursor_code = 0;  // CursorCode
  std::uint8_t action_code = 0;  // ActionCode
  std::string argument;          // Argument
};

struct LinkTable {
  std::array<Link, kLinkCount> links;  // LinkTable
  std::int32_t current = 0;            // CurrentLink, -1 over no link

  // The current link, or nothing when CurrentLink is outside 0..9.
  Link* Current();
  // zeralinks: every link inactive, every other field kept.
  void DeactivateAll();
};

// The link command.
void LinkCommand(Game& game, std::string_view args);

}  // namespace zunk
