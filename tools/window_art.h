// The game window's art as the window program, zunk-window-art and the tests share it: the
// names of the files drawn at build time and the rectangles, in window pixels, of the elements
// that the background frames and the window places over it.
#pragma once

#include <array>
#include <string>

namespace zunk::window_art {

// x, y of the top-left corner, width and height.
struct ArtRect {
  int x;
  int y;
  int width;
  int height;
};

// A picture button: its base name and where it sits. The window draws NAME_solto.bmp while
// the button is up and NAME_premido.bmp while it is held down; both have the button's size.
struct ArtButton {
  const char* name;
  int x;
  int y;
  int width;
  int height;
};

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 350;

// Widgets that cover their rectangle.
inline constexpr ArtRect kAbook{10, 10, 480, 200};   // the picture screen and its pages
inline constexpr ArtRect kMensag{9, 216, 408, 60};   // message text, flat background
inline constexpr ArtRect kFrase{11, 305, 317, 26};   // input line, flat background
inline constexpr ArtRect kPanSg{350, 295, 185, 46};  // suggestions, flat background
inline constexpr ArtRect kG1{452, 219, 44, 7};       // gauge, drawn by the window

// Drawn transparent over the background.
inline constexpr ArtRect kStk{10, 285, 316, 13};            // status line
inline constexpr ArtRect kObjLoc{507, 65, 80, 120};         // objects here, in 40 × 40 cells
inline constexpr ArtRect kObjJog{431, 240, 200, 40};        // objects carried
inline constexpr ArtRect kObjLocCaption{507, 48, 80, 14};   // "No local:"
inline constexpr ArtRect kObjJogCaption{443, 227, 80, 13};  // "Com você:", right of btStp
inline constexpr ArtRect kVrs{605, 210, 30, 12};            // version label
inline constexpr ArtRect kLinkLabels{557, 289, 70, 54};     // labels right of the small buttons

// The lamp: the window fills a circle of the state's colour, then draws kLedFile over it.
inline constexpr ArtRect kLed{442, 219, 9, 9};

inline constexpr int kPanelCell = 40;  // object panel cells are square

inline constexpr std::array<ArtButton, 9> kButtons = {{
    {"btFim", 607, 7, 26, 13},    // close
    {"btMin", 607, 22, 26, 13},   // minimise
    {"btVsr", 505, 202, 28, 12},  // show the picture screen
    {"btWeb", 535, 202, 28, 12},  // the game's web page
    {"btCfg", 565, 202, 28, 12},  // settings page
    {"btStp", 425, 216, 14, 14},  // stop
    {"btEdt", 540, 290, 14, 12},  // "Edição"
    {"btOnl", 540, 315, 14, 12},  // "ZUNK online"
    {"btChv", 540, 330, 14, 12},  // "Instruções"
}};

inline constexpr const char* kReleasedSuffix = "_solto.bmp";
inline constexpr const char* kPressedSuffix = "_premido.bmp";

inline std::string ReleasedFile(const ArtButton& b) {
  return std::string(b.name) + kReleasedSuffix;
}
inline std::string PressedFile(const ArtButton& b) {
  return std::string(b.name) + kPressedSuffix;
}

inline constexpr const char* kBackgroundFile = "fundo.bmp";  // kWindowWidth × kWindowHeight
inline constexpr const char* kSettingsFile = "config.bmp";   // kAbook's size
inline constexpr const char* kTickOnFile = "marca_sim.bmp";  // kTickSize square
inline constexpr const char* kTickOffFile = "marca_nao.bmp";
inline constexpr const char* kLedFile = "led.bmp";     // kLed's size
inline constexpr const char* kIconFile = "icone.bmp";  // kIconSize square
inline constexpr int kTickSize = 13;
inline constexpr int kIconSize = 64;

// Every rectangle, besides the buttons', that the background keeps inside the window's outline.
inline constexpr std::array<ArtRect, 13> kElements = {{
    kAbook,
    kMensag,
    kFrase,
    kPanSg,
    kG1,
    kStk,
    kObjLoc,
    kObjJog,
    kObjLocCaption,
    kObjJogCaption,
    kVrs,
    kLinkLabels,
    kLed,
}};

// Rectangles whose top-left pixel becomes a widget's background: each is one flat colour.
inline constexpr std::array<ArtRect, 3> kFlatAreas = {{kMensag, kFrase, kPanSg}};

// The pop-up browser TFm2: its own background (magenta outside its outline: a page of a
// logbook with a tab on top, the tab being the grip Imp), its browser, buttons, lamp and gauge.
namespace popup {

inline constexpr int kWidth = 560;
inline constexpr int kHeight = 380;
inline constexpr ArtRect kGrip{8, 5, 250, 22};        // Imp: dragging it moves the window
inline constexpr ArtRect kBrowser{12, 42, 536, 292};  // the browser, covering its rectangle
inline constexpr ArtRect kLed{480, 352, 9, 9};
inline constexpr ArtRect kG1{494, 353, 54, 7};
inline constexpr ArtRect kTitle{14, 8, 238, 16};  // the window writes its title here

// File names are "web_" + name + the released or pressed suffix.
inline constexpr std::array<ArtButton, 8> kButtons = {{
    {"btFim", 522, 26, 26, 13},   // hide
    {"btRet", 12, 345, 28, 20},   // back
    {"btPrx", 44, 345, 28, 20},   // forward
    {"btStp", 76, 348, 14, 14},   // stop
    {"btSt1", 104, 345, 88, 20},  // the site's pages (the window writes their captions)
    {"btSt2", 196, 345, 88, 20},
    {"btSt3", 288, 345, 88, 20},
    {"btSt4", 380, 345, 88, 20},
}};

inline constexpr const char* kBackgroundFile = "web_fundo.bmp";
inline std::string ReleasedFile(const ArtButton& b) {
  return std::string("web_") + b.name + kReleasedSuffix;
}
inline std::string PressedFile(const ArtButton& b) {
  return std::string("web_") + b.name + kPressedSuffix;
}

}  // namespace popup

}  // namespace zunk::window_art
