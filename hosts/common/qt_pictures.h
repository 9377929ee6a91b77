// Pictures to and from QImage, and PNG files of pictures.
#pragma once

#include <QImage>
#include <filesystem>

#include "screen/picture.h"

namespace zunk {

// A copy of the picture as a 24-bit QImage (same pixels, Qt's own row alignment).
QImage ToQImage(const Picture& picture);

// A copy of the picture with magenta, the transparent colour, as transparent pixels (ARGB).
QImage ToKeyedQImage(const Picture& picture);

// A copy of any QImage as a picture; an empty picture for a null image or one too large.
Picture FromQImage(const QImage& image);

// Writes the picture as a PNG file; false when the picture is empty or the file cannot be
// written.
bool SavePng(const Picture& picture, const std::filesystem::path& path);

// Reads a PNG (or any format Qt reads) into a picture; an empty picture on failure.
Picture LoadImageFile(const std::filesystem::path& path);

}  // namespace zunk
