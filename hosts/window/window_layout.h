// Where every element of the game window sits: x, y of its top-left corner and its size in
// window pixels (logical pixels; the window is 640 × 350 whatever the screen's density).
#pragma once

#include <QRect>

namespace zunk::layout {

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 350;

inline constexpr QRect kAbook{10, 10, 480, 200};
inline constexpr QRect kMensag{9, 216, 408, 60};
inline constexpr QRect kStk{10, 285, 316, 13};
inline constexpr QRect kFrase{11, 305, 317, 26};
inline constexpr QRect kObjLoc{507, 65, 80, 120};
inline constexpr QRect kObjJog{431, 240, 200, 40};
inline constexpr QRect kPanSg{350, 295, 185, 46};
inline constexpr int kSuggestionStep = 15;
inline constexpr QRect kObjLocCaption{507, 49, 100, 14};
inline constexpr QRect kObjJogCaption{431, 225, 100, 14};
inline constexpr QRect kLed{442, 219, 9, 9};
inline constexpr QRect kG1{452, 220, 44, 7};
inline constexpr QRect kVrs{605, 210, 32, 12};

struct ButtonPlace {
  const char* name;  // the element's name, also the art's file name
  QRect rect;
  const char* hint;   // tooltip
  const char* label;  // a caption beside the button, or nullptr
};

inline constexpr ButtonPlace kButtons[] = {
    {"btFim", {607, 7, 26, 13}, "Encerra", nullptr},
    {"btMin", {607, 22, 26, 13}, "Minimiza", nullptr},
    {"btVsr", {505, 202, 28, 12}, "Visor", nullptr},
    {"btWeb", {535, 202, 28, 12}, "Web", nullptr},
    {"btCfg", {565, 202, 28, 12}, "Configura\u00e7\u00f5es", nullptr},
    {"btStp", {425, 216, 14, 14}, "Interrompe a transfer\u00eancia", nullptr},
    {"btEdt", {540, 290, 14, 12}, "Edi\u00e7\u00e3o de scripts (em breve)", "Edi\u00e7\u00e3o"},
    {"btOnl", {540, 315, 14, 12}, "ZUNK online", "ZUNK online"},
    {"btChv", {540, 330, 14, 12}, "Instru\u00e7\u00f5es", "Instru\u00e7\u00f5es"},
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
inline constexpr QRect kVersionArea{300, 172, 170, 22};

}  // namespace zunk::layout
