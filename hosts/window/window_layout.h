// Where every element of the game window sits, in window pixels (logical pixels: the window is
// 640 × 350 whatever the screen's density). The rectangles the art frames come from the art's
// own table; what only the window knows (hints, captions, the settings page) is added here.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include "window_art.h"

namespace zunk::layout {

constexpr QRect ToQRect(const window_art::ArtRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

inline constexpr int kWindowWidth = window_art::kWindowWidth;
inline constexpr int kWindowHeight = window_art::kWindowHeight;

inline constexpr QRect kAbook = ToQRect(window_art::kAbook);
inline constexpr QRect kMensag = ToQRect(window_art::kMensag);
inline constexpr QRect kStk = ToQRect(window_art::kStk);
inline constexpr QRect kFrase = ToQRect(window_art::kFrase);
inline constexpr QRect kObjLoc = ToQRect(window_art::kObjLoc);
inline constexpr QRect kObjJog = ToQRect(window_art::kObjJog);
inline constexpr QRect kPanSg = ToQRect(window_art::kPanSg);
inline constexpr QRect kObjLocCaption = ToQRect(window_art::kObjLocCaption);
inline constexpr QRect kObjJogCaption = ToQRect(window_art::kObjJogCaption);
inline constexpr QRect kLed = ToQRect(window_art::kLed);
inline constexpr QRect kG1 = ToQRect(window_art::kG1);
inline constexpr QRect kVrs = ToQRect(window_art::kVrs);
inline constexpr int kSuggestionStep = 15;
inline constexpr int kTickSide = window_art::kTickSize;

// What the window adds to a picture button of the art's table: its hint and the caption beside
// it.
struct ButtonText {
  const char* name;
  const char* hint;   // tooltip
  const char* label;  // a caption right of the button, or nullptr
};

inline constexpr ButtonText kButtonTexts[] = {
    {"btFim", "Encerra", nullptr},
    {"btMin", "Minimiza", nullptr},
    {"btVsr", "Visor", nullptr},
    {"btWeb", "Web", nullptr},
    {"btCfg", "Configura\u00e7\u00f5es", nullptr},
    {"btStp", "Interrompe a transfer\u00eancia", nullptr},
    {"btEdt", "Edi\u00e7\u00e3o de scripts (em breve)", "Edi\u00e7\u00e3o"},
    {"btOnl", "ZUNK online", "ZUNK online"},
    {"btChv", "Instru\u00e7\u00f5es", "Instru\u00e7\u00f5es"},
};

// The settings page, inside Abook.
inline constexpr QRect kUrlLabel{20, 14, 120, 14};
inline constexpr QRect kUrl{20, 30, 440, 20};
inline constexpr QRect kLoginLabel{20, 62, 120, 14};
inline constexpr QRect kLogin{20, 78, 150, 20};
inline constexpr QRect kSenhaLabel{20, 106, 120, 14};
inline constexpr QRect kSenha{20, 122, 150, 20};
inline constexpr QRect kScriptsHeading{260, 62, 200, 14};
inline constexpr QRect kFilesHeading{260, 122, 200, 14};
struct TickPlace {
  const char* name;
  QPoint at;
  const char* label;
};
inline constexpr TickPlace kTicks[] = {
    {"Shd", {262, 80}, "Apenas HD"},
    {"Sweb", {262, 98}, "Web (Zunk online)"},
    {"Ahd", {262, 140}, "Apenas HD"},
    {"Aweb", {262, 158}, "Web (Zunk online)"},
};
// The version and update controls: "Atualizar" beside each pair of ticks, the gauge G2 along
// the bottom (its left edge set by the update run: 40 for scripts, 150 for files), and the
// version check with its text and the "Baixar nova versão" button on the left.
inline constexpr QRect kAtualizarScripts{400, 96, 70, 20};
inline constexpr QRect kAtualizarFiles{400, 156, 70, 20};
inline constexpr int kG2Top = 190;
inline constexpr QSize kG2Size{100, 7};
inline constexpr QRect kVersionArea{20, 150, 238, 22};  // clear of the ticks on its right
// Inside kVersionArea.
inline constexpr QRect kBtVer{0, 0, 100, 20};
inline constexpr QRect kLbDown{104, 2, 114, 16};
inline constexpr QRect kBtDown{218, 0, 20, 20};
// On the page, under the area and the ticks.
inline constexpr QRect kStDown{20, 174, 450, 15};

}  // namespace zunk::layout
