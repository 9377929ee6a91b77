// The game window's own pictures (background, picture buttons, ticks, lamp, settings page,
// icon), drawn at build time and installed beside the program under share/zunk/art.
#pragma once

#include <QImage>
#include <QPixmap>
#include <QString>
#include <filesystem>
#include <map>

#include "screen/picture.h"

namespace zunk {

struct ButtonArt {
  QPixmap released;
  QPixmap pressed;
};

// The pop-up browser's pictures (window_art::popup).
struct PopupArt {
  Picture background;                    // magenta outside the window's outline
  std::map<QString, ButtonArt> buttons;  // by element name ("btRet", ...)
  QPixmap led;
  bool complete = false;  // every file was found and decoded
};

struct WindowArt {
  Picture background;                    // fundo: 640 × 350, magenta outside the window's outline
  std::map<QString, ButtonArt> buttons;  // by element name ("btFim", ...)
  QPixmap tick_on;
  QPixmap tick_off;
  QPixmap led;
  QPixmap config_page;
  QImage icon;
  std::filesystem::path folder;  // where the art came from (the pop-up's is read on first use)
  bool complete = false;         // every file was found and decoded
};

// The art folder: ZUNK_ART_DIR when set, else share/zunk/art beside the program's bin folder.
std::filesystem::path FindArtFolder();

// Loads what the folder holds. A missing or damaged file leaves its picture empty (the
// background then a plain one of the window's size), so a broken installation still shows a
// usable window.
WindowArt LoadWindowArt(const std::filesystem::path& folder);

// The pop-up browser's pictures, read when it is first shown. A missing background gives a
// plain one of the pop-up's size.
PopupArt LoadPopupArt(const std::filesystem::path& folder);

// A picture with magenta (the transparent colour) turned into transparent pixels.
QPixmap KeyedPixmap(const Picture& picture);

}  // namespace zunk
