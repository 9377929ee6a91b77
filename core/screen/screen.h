// The picture screen's state: Tela as the player sees it, the composed ScreenBuffer, the shape,
// frame and overlay layers with their one-picture caches, the screen mode and scroll window,
// the two image buffers, and the text settings.
#pragma once

#include <cstdint>
#include <string>

#include "screen/font.h"
#include "screen/picture.h"

namespace zunk {

inline constexpr int kTelaWidth = 480;
inline constexpr int kTelaHeight = 200;

struct Screen {
  Picture tela{kTelaWidth, kTelaHeight, kWhite};  // Tela: what the player sees
  Picture screen_buffer;                          // ScreenBuffer
  Colour buffer_fill = kWhite;                    // ScreenBuffer's fill colour (clear)
  std::string screen_name;                        // ScreenName

  Picture shape_picture{10, 10, kWhite};  // ShapePicture
  std::string shape_name;                 // ShapeName
  std::int32_t shape_x = 0;
  std::int32_t shape_y = 0;

  Picture frame_picture;  // FramePicture
  std::string frame_name;  // FrameName
  std::int32_t frame_index = 0;
  std::int32_t frame_x = 0;
  std::int32_t frame_y = 0;
  std::int32_t frame_count = 0;

  Picture hud_picture;  // HudPicture
  std::string hud_name;  // HudName
  std::int16_t hud_x = 0;
  std::int16_t hud_y = 0;
  bool hud_on = false;       // HudOn
  bool hud_restore = false;  // HudRestore

  std::uint8_t screen_mode = 0;  // ScreenMode
  std::int32_t scroll_x = 0;     // ScrollX
  std::int32_t scroll_y = 0;     // ScrollY
  Picture view_buffer;           // ViewBuffer, Tela's size while ScreenMode is 1 or 2

  Picture buffer_x;  // BufferX
  Picture buffer_y;  // BufferY

  std::int32_t shadow_dx = 0;     // ShadowDX
  std::int32_t shadow_dy = 0;     // ShadowDY
  Colour shadow_colour = kWhite;  // ShadowColour
  Font tela_font;                 // Tela's font, used by display
  Font buffer_font;               // ScreenBuffer's font, used by print
  // Mensag's font, set by mfont=: bold 12-pixel text in dark khaki at start.
  Font message_font{"MS Sans Serif", 9, MakeColour(116, 111, 88), true};
};

}  // namespace zunk
