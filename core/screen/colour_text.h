// Colours written as hexadecimal text in script arguments. Each command that takes a colour
// reads it by its own rule: clear, sombra and the font descriptors of tfont=/mfont= differ in
// where the "$" may stand and in what an unreadable colour falls back to.
#pragma once

#include <optional>
#include <string_view>

#include "screen/picture.h"

namespace zunk {

// "$" followed by one to eight hexadecimal digits and nothing else; nothing otherwise. Only
// the low 24 bits make the colour.
std::optional<Colour> ReadDollarHex(std::string_view text);

// The colour argument of clear: empty means "FFFFFF"; blanks are trimmed; a "$" is put in
// front when the text holds none; unreadable text is black.
Colour ClearColourOf(std::string_view text);

// The colour of sombra: "$" is always put in front (so a "$" already there makes it
// unreadable); unreadable text is white.
Colour ShadowColourOf(std::string_view text);

// The colour of a font descriptor: "$" is put in front unless the text starts with one;
// unreadable text is black.
Colour FontColourOf(std::string_view text);

}  // namespace zunk
