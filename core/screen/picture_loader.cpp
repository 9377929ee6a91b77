// LoadPicture, LoadScreen, the panel picture cache and the archive extraction behind ".zip"
// pictures.
#include "screen/picture_loader.h"

#include <optional>
#include <system_error>
#include <vector>

#include "game/game.h"
#include "game/world/line_list.h"
#include "platform/cp1252.h"
#include "screen/bmp_decoder.h"
#include "screen/jpeg_decoder.h"
#include "script/script_fault.h"

namespace fs = std::filesystem;

namespace zunk {
namespace {

constexpr std::size_t kMaxCachedPictures = 256;

bool Contains(std::string_view name, std::string_view extension) {
  return name.find(extension) != std::string_view::npos;
}

// The bitmap a ".zip" picture stands for: the name less its last three characters + "bmp".
std::string ArchiveBitmapName(std::string_view name) {
  return std::string(name.substr(0, name.size() - 3)) + "bmp";
}

std::string ReadOrFault(const Game& game, std::string_view name) {
  ReadResult read = game.folder().ReadBounded(name);
  if (read.status == ReadStatus::TooLarge) throw ScriptFault(TooLargeMessage(name));
  if (read.status != ReadStatus::Ok)
    throw ScriptFault("Erro ao ler o arquivo: " + std::string(name));
  return std::move(read.bytes);
}

Picture DecodedOrFault(std::optional<Picture> picture, std::string_view name) {
  if (!picture) throw ScriptFault("Imagem inv\xE1lida: " + std::string(name));
  return std::move(*picture);
}

Picture LoadBitmapFile(const Game& game, std::string_view name) {
  return DecodedOrFault(DecodeBmp(ReadOrFault(game, name)), name);
}

Picture LoadScrambledJpeg(const Game& game, std::string_view name) {
  std::string bytes = ReadOrFault(game, name);
  for (char& c : bytes) c = static_cast<char>(static_cast<std::uint8_t>(c) ^ kPictureKey);
  // The plain JPEG is left in the folder as the temporary file; decoding works from memory,
  // so a folder that refuses the write still shows the picture.
  game.folder().WriteScratch(kImgTempFile, bytes);
  return DecodedOrFault(DecodeJpeg(bytes), name);
}

// Extracts the archive unless it failed before and has not changed since.
void ExtractUnlessKnownToFail(Game& game, std::string_view name, const std::string& bitmap) {
  constexpr std::size_t kMaxRemembered = 256;
  FailedArchives& failed = game.failed_archives();
  const std::string key(name);
  const auto stamp = game.folder().Stamp(name);
  const auto known = failed.find(key);
  if (stamp && known != failed.end() && known->second.size == stamp->size &&
      known->second.time == stamp->time) {
    return;
  }
  ExtractArchive(game, name);
  if (game.folder().Exists(bitmap) || !stamp) {
    failed.erase(key);
    return;
  }
  if (failed.size() >= kMaxRemembered) failed.clear();
  failed[key] = *stamp;
}

Picture LoadArchivedBitmap(Game& game, std::string_view name) {
  const std::string bitmap = ArchiveBitmapName(name);
  if (!game.folder().Exists(bitmap)) ExtractUnlessKnownToFail(game, name, bitmap);
  if (!game.folder().Exists(bitmap)) {
    throw ScriptFault("Imagem " + bitmap + " ausente em " + std::string(name));
  }
  return LoadBitmapFile(game, bitmap);
}

// The four kinds, each tested on its own; the last that matched gives the picture.
std::optional<Picture> LoadAvailable(Game& game, std::string_view name) {
  std::optional<Picture> loaded;
  if (Contains(name, ".jpg")) loaded = DecodedOrFault(DecodeJpeg(ReadOrFault(game, name)), name);
  if (Contains(name, ".bmp")) loaded = LoadBitmapFile(game, name);
  if (Contains(name, ".zip")) loaded = LoadArchivedBitmap(game, name);
  if (Contains(name, ".img")) loaded = LoadScrambledJpeg(game, name);
  return loaded;
}

// The one file whose contents decide the picture, when there is exactly one: the file itself,
// or for ".zip" the extracted bitmap once it exists.
std::optional<FileStamp> PictureSourceStamp(const Game& game, std::string_view name) {
  const int kinds = Contains(name, ".jpg") + Contains(name, ".bmp") + Contains(name, ".zip") +
                    Contains(name, ".img");
  if (kinds != 1) return std::nullopt;
  if (Contains(name, ".zip")) return game.folder().Stamp(ArchiveBitmapName(name));
  return game.folder().Stamp(name);
}

// An archive entry as the file name to write: the module gives UTF-8 names.
std::string EntryFileName(const std::string& entry) {
  return Utf8ToCp1252(entry);
}

// Keeps an archive open for the length of one extraction.
class OpenArchive {
 public:
  OpenArchive(ZipLibrary& zip, const std::string& path) : zip_(zip) { zip_.OpenArchive(path); }
  ~OpenArchive() { zip_.CloseArchive(); }
  OpenArchive(const OpenArchive&) = delete;
  OpenArchive& operator=(const OpenArchive&) = delete;

 private:
  ZipLibrary& zip_;
};

}  // namespace

bool LoadPicture(Game& game, Picture& picture, std::string_view name) {
  if (!game.FileAvailable(name)) return false;
  auto loaded = LoadAvailable(game, name);
  if (!loaded) return false;
  picture = std::move(*loaded);
  return true;
}

bool LoadScreen(Game& game, std::string_view name) {
  if (!game.FileAvailable(name)) return false;
  game.screen().screen_name = std::string(name);
  auto loaded = LoadAvailable(game, name);
  if (!loaded) return false;
  game.screen().screen_buffer = std::move(*loaded);
  return true;
}

bool LoadPictureCached(Game& game, Picture& picture, std::string_view name) {
  // A picture that is its own source file and is found on the disk needs no other check:
  // its stamp shows it is there (a panel redraw asks for every object's picture).
  const bool own_source = !Contains(name, ".zip") && game.file_source != Source::WebOnly;
  auto stamp = own_source ? PictureSourceStamp(game, name) : std::nullopt;
  if (!stamp) {
    if (!game.FileAvailable(name)) return false;
    // Stamped before decoding: a file replaced meanwhile is decoded again next time.
    stamp = PictureSourceStamp(game, name);
  }
  PictureCache& cache = game.picture_cache();
  const std::string key(name);
  if (stamp) {
    const auto hit = cache.find(key);
    if (hit != cache.end() && hit->second.size == stamp->size && hit->second.time == stamp->time) {
      picture = hit->second.picture;
      return true;
    }
  }
  cache.erase(key);
  auto loaded = LoadAvailable(game, name);
  if (!loaded) return false;
  if (!stamp) stamp = PictureSourceStamp(game, name);  // a bitmap just extracted
  if (stamp) {
    if (cache.size() >= kMaxCachedPictures) cache.clear();
    cache[key] = CachedPicture{stamp->time, stamp->size, *loaded};
  }
  picture = std::move(*loaded);
  return true;
}

int ExtractArchive(Game& game, std::string_view archive_name) {
  // The module opens the file we opened inside the folder, never one a link leads to.
  const auto archive = game.folder().OpenForLibrary(archive_name);
  if (!archive) return 0;
  ZipLibrary& zip = game.zip_library();
  OpenArchive open(zip, archive->path);
  const std::vector<std::string> entries = SplitLines(zip.ListEntries());
  int written = 0;
  std::uint64_t total = 0;
  std::size_t seen = 0;
  for (const std::string& entry : entries) {
    if (entry.empty() || entry.back() == '\\') continue;  // a blank line or a folder
    if (++seen > kMaxArchiveEntries) break;
    // A CP1252 character takes at most three bytes in UTF-8: a longer name is refused unread.
    if (entry.size() > 3 * kMaxNameBytes) continue;
    const std::string file_name = EntryFileName(entry);
    if (!SafeRelativePath(file_name)) continue;  // would leave the game folder
    // An entry that cannot be read leaves any file of that name as it was.
    const std::optional<std::string> bytes = zip.ReadEntry(entry);
    if (!bytes || total + bytes->size() > kMaxExtractedBytes) continue;
    total += bytes->size();
    if (game.folder().Write(file_name, *bytes)) ++written;
  }
  return written;
}

}  // namespace zunk
