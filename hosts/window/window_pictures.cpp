// Loading the window's art (24-bit BMP files, magenta transparent) through the core's decoder.
#include "window_pictures.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "platform/game_folder.h"
#include "qt_pictures.h"
#include "screen/bmp_decoder.h"
#include "window_layout.h"

namespace zunk {
namespace {

constexpr std::size_t kMaxArtBytes = 4 * 1024 * 1024;

std::optional<Picture> ReadBmp(const std::filesystem::path& path) {
  const auto bytes = ReadWholeFile(path, kMaxArtBytes);
  if (!bytes) return std::nullopt;
  return DecodeBmp(*bytes);
}

// One picture of the art folder; a missing or broken one leaves complete false.
Picture ReadArt(const std::filesystem::path& folder, const std::string& name, bool& complete) {
  auto picture = ReadBmp(folder / name);
  if (!picture) {
    complete = false;
    return {};
  }
  return std::move(*picture);
}

}  // namespace

QPixmap KeyedPixmap(const Picture& picture) {
  if (picture.empty()) return {};
  return QPixmap::fromImage(ToKeyedQImage(picture));
}

std::filesystem::path FindArtFolder() {
  if (const char* dir = std::getenv("ZUNK_ART_DIR"); dir != nullptr && *dir != '\0') return dir;
  std::error_code error;
  const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return "share/zunk/art";
  return program.parent_path().parent_path() / "share" / "zunk" / "art";
}

WindowArt LoadWindowArt(const std::filesystem::path& folder) {
  WindowArt art;
  bool complete = true;
  auto load = [&](const std::string& name) { return ReadArt(folder, name, complete); };
  art.background = load(window_art::kBackgroundFile);
  if (art.background.width() != layout::kWindowWidth ||
      art.background.height() != layout::kWindowHeight) {
    complete = false;
    // A plain background of the window's size: the window stays usable and rectangular.
    art.background = Picture(layout::kWindowWidth, layout::kWindowHeight, MakeColour(72, 58, 44));
    art.background.FillRect(layout::kMensag.x(), layout::kMensag.y(), layout::kMensag.width(),
                            layout::kMensag.height(), MakeColour(236, 226, 196));
    art.background.FillRect(layout::kFrase.x(), layout::kFrase.y(), layout::kFrase.width(),
                            layout::kFrase.height(), MakeColour(236, 226, 196));
    art.background.FillRect(layout::kPanSg.x(), layout::kPanSg.y(), layout::kPanSg.width(),
                            layout::kPanSg.height(), MakeColour(236, 226, 196));
  }
  for (const auto& place : window_art::kButtons) {
    ButtonArt button;
    button.released = KeyedPixmap(load(window_art::ReleasedFile(place)));
    button.pressed = KeyedPixmap(load(window_art::PressedFile(place)));
    art.buttons[QString::fromLatin1(place.name)] = std::move(button);
  }
  art.tick_on = KeyedPixmap(load(window_art::kTickOnFile));
  art.tick_off = KeyedPixmap(load(window_art::kTickOffFile));
  art.led = KeyedPixmap(load(window_art::kLedFile));
  art.config_page = KeyedPixmap(load(window_art::kSettingsFile));
  art.icon = KeyedPixmap(load(window_art::kIconFile)).toImage();
  art.folder = folder;
  art.complete = complete;
  return art;
}

PopupArt LoadPopupArt(const std::filesystem::path& folder) {
  namespace popup = window_art::popup;
  PopupArt art;
  bool complete = true;
  auto load = [&](const std::string& name) { return ReadArt(folder, name, complete); };
  art.background = load(popup::kBackgroundFile);
  if (art.background.width() != popup::kWidth || art.background.height() != popup::kHeight) {
    complete = false;
    art.background = Picture(popup::kWidth, popup::kHeight, MakeColour(72, 58, 44));
  }
  for (const auto& place : popup::kButtons) {
    ButtonArt button;
    button.released = KeyedPixmap(load(popup::ReleasedFile(place)));
    button.pressed = KeyedPixmap(load(popup::PressedFile(place)));
    art.buttons[QString::fromLatin1(place.name)] = std::move(button);
  }
  art.led = KeyedPixmap(load(window_art::kLedFile));
  art.complete = complete;
  return art;
}

}  // namespace zunk
