// A font as scripts describe it; hosts turn it into pixels.
#pragma once

#include <string>

#include "screen/picture.h"

namespace zunk {

struct Font {
  std::string name = "MS Sans Serif";  // CP1252; an unknown name goes to the system's matching
  int size = 8;                         // points, at 96 pixels per inch
  Colour colour = kBlack;
  bool bold = false;
  bool italic = false;
  bool underline = false;

  bool operator==(const Font&) const = default;
};

}  // namespace zunk
