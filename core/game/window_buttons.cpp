// Picture buttons and tick pictures of the game window.
#include "game/window_buttons.h"

#include <array>
#include <utility>

#include "game/game.h"
#include "game/timers.h"
#include "web/browser_events.h"

namespace zunk {
namespace {

constexpr std::array<std::pair<WindowButton, std::string_view>, 13> kNames = {{
    {WindowButton::Fim, "btFim"},
    {WindowButton::Min, "btMin"},
    {WindowButton::Vsr, "btVsr"},
    {WindowButton::Web, "btWeb"},
    {WindowButton::Cfg, "btCfg"},
    {WindowButton::Stp, "btStp"},
    {WindowButton::Edt, "btEdt"},
    {WindowButton::Onl, "btOnl"},
    {WindowButton::Chv, "btChv"},
    {WindowButton::Shd, "Shd"},
    {WindowButton::Sweb, "Sweb"},
    {WindowButton::Ahd, "Ahd"},
    {WindowButton::Aweb, "Aweb"},
}};

constexpr std::uint32_t kEndPauseMs = 200;

Source& SettingOf(Game& game, WindowButton tick) {
  return tick == WindowButton::Shd || tick == WindowButton::Sweb ? game.script_source
                                                                 : game.file_source;
}

Source TickedValue(WindowButton tick) {
  return tick == WindowButton::Shd || tick == WindowButton::Ahd ? Source::DiskOnly
                                                                : Source::WebOnly;
}

}  // namespace

std::optional<WindowButton> WindowButtonByName(std::string_view name) {
  for (const auto& [button, button_name] : kNames) {
    if (button_name == name) return button;
  }
  return std::nullopt;
}

const char* WindowButtonName(WindowButton button) {
  for (const auto& [b, name] : kNames) {
    if (b == button) return name.data();
  }
  return "";
}

bool IsTickPicture(WindowButton button) {
  return button == WindowButton::Shd || button == WindowButton::Sweb ||
         button == WindowButton::Ahd || button == WindowButton::Aweb;
}

bool TickShown(const Game& game, WindowButton tick) {
  if (!IsTickPicture(tick)) return false;
  const Source setting = tick == WindowButton::Shd || tick == WindowButton::Sweb
                             ? game.script_source
                             : game.file_source;
  return setting == TickedValue(tick);
}

void PressWindowButton(Game& game, WindowButton button) {
  if (button == WindowButton::Fim || button == WindowButton::Min) {
    SetClockTimer(game, false);
    SetPeriodicTimer(game, false, game.timers().periodic_interval);
    return;
  }
  if (button == WindowButton::Stp) {
    game.transfer().RequestStop();  // breaks off the running transfer and its update run
    return;
  }
  if (IsTickPicture(button)) {
    // One setting holds both ticks of a pair, so ticking one unticks its partner.
    Source& setting = SettingOf(game, button);
    setting = setting == TickedValue(button) ? Source::DiskThenWeb : TickedValue(button);
  }
}

WindowAction ReleaseWindowButton(Game& game, WindowButton button) {
  switch (button) {
    case WindowButton::Fim:
    case WindowButton::Min:
      game.host().PumpEvents();
      game.host().Sleep(kEndPauseMs);
      return button == WindowButton::Fim ? WindowAction::End : WindowAction::Minimise;
    case WindowButton::Vsr:
      game.ShowPage(BookPage::Screen);
      game.host().FocusInput();
      break;
    case WindowButton::Cfg:
      game.ShowPage(BookPage::Config);
      break;
    case WindowButton::Web:
      PressWebButton(game);
      break;
    case WindowButton::Onl:
      PressOnlineButton(game);
      break;
    case WindowButton::Chv:
      PressInstructionsButton(game);
      break;
    case WindowButton::Stp:
      StopBrowsers(game);
      break;
    default:
      break;
  }
  return WindowAction::None;
}

}  // namespace zunk
