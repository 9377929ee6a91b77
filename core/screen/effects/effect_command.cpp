// efeito: parameter reading and the animation loops of the transitions. The pixel work is in
// zunkefeitos; here every step is shown, pending events run and the effect delay passes.
//
// Event handlers run inside every pump and may replace ScreenBuffer or BufferX, so the loops
// hold only the Screen (which lives as long as the game) and take sizes and rows afresh for
// every step.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "game/game.h"
#include "screen/colour_text.h"
#include "screen/effects/zunkefeitos.h"
#include "screen/screen_commands.h"
#include "script/operands.h"
#include "script/script_fault.h"

namespace zunk {
namespace {

constexpr int kEffectDelayRegister = 39;
constexpr std::uint32_t kDefaultEffectDelay = 20;  // milliseconds, when Reg[39] is 0
constexpr int kFewestBlinds = 3;
constexpr int kMostBlinds = 20;

// The pause after each animation step: Reg[39] milliseconds, 20 when it is 0; a negative
// register waits nothing.
std::uint32_t EffectDelay(const World& world) {
  const std::int32_t ms = world.reg[kEffectDelayRegister];
  if (ms == 0) return kDefaultEffectDelay;
  return ms < 0 ? 0 : static_cast<std::uint32_t>(ms);
}

void PumpAndWait(Game& game) {
  game.host().PumpEvents();
  game.host().Sleep(EffectDelay(game.world()));
}

// A colour parameter: "$" and up to eight hexadecimal digits, or a value (a decimal number or a
// register name). A "$" text that is no hexadecimal number is a fault that ends the run.
Colour ColourOf(const World& world, std::string_view parameter) {
  const std::string_view text = TrimBlanks(parameter);
  if (text.empty() || text[0] != '$') return static_cast<Colour>(ValueOf(world, text));
  const std::optional<Colour> colour = ReadDollarHex(text);
  if (!colour) {
    throw ScriptFault("'" + std::string(text) + "' n\xE3o \xE9 um valor inteiro v\xE1lido");
  }
  return *colour;
}

std::uint8_t LowestByte(std::int32_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

// fadeoff: 32 steps toward the colour, each drawn straight onto Tela (no overlay, no scroll
// window).
void FadeOff(Game& game, Colour colour) {
  Screen& screen = game.screen();
  for (int step = 0; step < effects::kFadeSteps; ++step) {
    Picture& buffer = screen.screen_buffer;
    effects::FadeStepToColour(buffer, colour);
    CopyRect(screen.tela, 0, 0, buffer, 0, 0, buffer.width(), buffer.height());
    game.host().ShowScreen();
    PumpAndWait(game);
  }
}

// fadeon: the colour first, then 32 steps toward BufferX, each shown by RefreshScreen.
void FadeOn(Game& game, Colour colour) {
  Screen& screen = game.screen();
  screen.screen_buffer.Fill(colour);
  PumpAndWait(game);
  for (int step = 0; step < effects::kFadeSteps; ++step) {
    effects::FadeStepToPicture(screen.screen_buffer, screen.buffer_x);
    RefreshScreen(game);
    PumpAndWait(game);
  }
}

// persiana: n passes, each copying every n-th row of BufferX.
void Blinds(Game& game, int passes) {
  Screen& screen = game.screen();
  for (int pass = 0; pass < passes; ++pass) {
    effects::BlindsPass(screen.screen_buffer, screen.buffer_x, passes, pass);
    RefreshScreen(game);
    PumpAndWait(game);
  }
}

// The scrolls: 8 pixels a step, as many steps as Tela has 8-pixel rows (or columns).
void Scroll(Game& game, void (*step)(Picture&, Picture&), bool vertical) {
  Screen& screen = game.screen();
  const int side = vertical ? screen.tela.height() : screen.tela.width();
  const int steps = side / effects::kScrollStep;
  for (int i = 0; i < steps; ++i) {
    step(screen.screen_buffer, screen.buffer_x);
    RefreshScreen(game);
    PumpAndWait(game);
  }
}

}  // namespace

void EffectCommand(Game& game, std::string_view args) {
  if (args.empty()) return;
  const std::size_t comma = args.find(',');
  const std::string_view name = comma == std::string_view::npos ? args : args.substr(0, comma);
  const std::string_view parameter =
      comma == std::string_view::npos ? args : args.substr(comma + 1);
  const World& world = game.world();
  Screen& screen = game.screen();
  Picture& buffer = screen.screen_buffer;

  // The effects without a parameter.
  if (name == "blur") return effects::Blur(buffer);
  if (name == "emboss") return effects::Emboss(buffer);
  if (name == "cinza") return effects::Grey(buffer);
  if (name == "scrollup") return Scroll(game, effects::ScrollUpStep, true);
  if (name == "scrolldown") return Scroll(game, effects::ScrollDownStep, true);
  if (name == "scrolldir") return Scroll(game, effects::ScrollLeftStep, false);
  if (name == "scrollesq") return Scroll(game, effects::ScrollRightStep, false);

  if (parameter.empty()) return;
  if (name == "brilho") return effects::Brighten(buffer, LowestByte(ValueOf(world, parameter)));
  if (name == "filtro") return effects::Filter(buffer, ColourOf(world, parameter));
  if (name == "scanline") return effects::Scanlines(buffer, ColourOf(world, parameter));
  if (name == "espelho") {
    if (parameter == "vert") effects::MirrorVertical(buffer);
    if (parameter == "horz") effects::MirrorHorizontal(buffer);
    return;
  }
  if (name == "alfa") {
    return effects::AlphaBlend(buffer, screen.buffer_x, LowestByte(ValueOf(world, parameter)));
  }
  if (name == "fadeoff") return FadeOff(game, ColourOf(world, parameter));
  if (name == "fadeon") return FadeOn(game, ColourOf(world, parameter));
  if (name == "persiana") {
    const std::int32_t passes = ValueOf(world, parameter);
    if (passes >= kFewestBlinds && passes <= kMostBlinds) Blinds(game, passes);
  }
}

}  // namespace zunk
