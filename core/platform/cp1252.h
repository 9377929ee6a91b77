// Conversion between the games' Windows-1252 text and UTF-8, for the boundaries only:
// the core keeps game text as CP1252 bytes; the file system, terminals, Qt and URLs get UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace zunk {

// Every CP1252 byte maps to one Unicode code point; the five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value so that
// a round trip never loses a byte.
char32_t Cp1252ToCodePoint(unsigned char byte);

std::string Cp1252ToUtf8(std::string_view text);

// Code points that CP1252 cannot hold become '?'; malformed UTF-8 bytes are taken as CP1252.
std::string Utf8ToCp1252(std::string_view text);

}  // namespace zunk
