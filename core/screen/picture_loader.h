// Loading the pictures scripts name: ".jpg", ".bmp", a bitmap inside a ".zip" (extracted
// once into the game folder) and ".img" (a JPEG with every byte XORed with kPictureKey).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/game_folder.h"
#include "screen/picture.h"

namespace zunk {

class Game;

inline constexpr std::uint8_t kPictureKey = 0x5A;  // PictureKey

// The file ".img" pictures are unscrambled into, left in the game folder.
inline constexpr char kImgTempFile[] = "tmp.jpg";

// Bounds of one archive extraction: entries beyond the count, and entries that would take the
// bytes written past the total, are skipped. (The zip module itself refuses single entries
// over 64 MB.)
inline constexpr std::size_t kMaxArchiveEntries = 4096;
inline constexpr std::uint64_t kMaxExtractedBytes = 256ULL * 1024 * 1024;

// Makes the file available and fills the picture from it; false, with the picture unchanged,
// when the file is unavailable or its name has none of the four extensions. A file that
// cannot be read or decoded, or an archive without its bitmap, is a ScriptFault (and leaves
// the picture unchanged).
bool LoadPicture(Game& game, Picture& picture, std::string_view name);

// LoadPicture into ScreenBuffer; ScreenName becomes the name once the file is available.
bool LoadScreen(Game& game, std::string_view name);

// As LoadPicture, but a picture decoded before is reused while its file is unchanged (its
// availability is still checked every time). Used for the object panels.
bool LoadPictureCached(Game& game, Picture& picture, std::string_view name);

// Writes every file of the game folder's archive into the game folder, creating sub-folders
// and replacing existing files, through the zip module. Entries whose names would lead out
// of the folder or are longer or deeper than a game folder's names may be, and entries that
// cannot be read, are skipped. Returns how many files were written.
int ExtractArchive(Game& game, std::string_view archive_name);

// Decoded pictures by name, with the size and time of the file they came from.
struct CachedPicture {
  std::filesystem::file_time_type time;
  std::uintmax_t size = 0;
  Picture picture;
};
using PictureCache = std::unordered_map<std::string, CachedPicture>;

// Archives whose extraction did not give their bitmap, by name, with the size and time they
// had then: such an archive is not unpacked again at every load, only once it changes.
using FailedArchives = std::unordered_map<std::string, FileStamp>;

}  // namespace zunk
