// Loading fuzz input as a picture file of a game folder, as a script's picture command does.
#pragma once

#include <string_view>

namespace zunk::fuzz {

// The file names the picture targets load their input as; an archive's bitmap is named after
// it.
inline constexpr char kImgFile[] = "fuzz.img";
inline constexpr char kZipFile[] = "fuzz.zip";
inline constexpr char kZipBitmap[] = "fuzz.bmp";

// Writes the bytes as the named file of an empty game folder, loads it through LoadPicture
// (a fault ends the load as it ends a run) and empties the folder again, so every input
// finds it as the first one did: an archive, for one, is extracted afresh each time.
void LoadPictureFile(std::string_view name, std::string_view bytes);

}  // namespace zunk::fuzz
