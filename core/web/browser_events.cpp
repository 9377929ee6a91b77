// The browsers' events and the web buttons.
#include "web/browser_events.h"

#include <algorithm>
#include <array>
#include <utility>

#include "game/game.h"
#include "web/web_pages.h"

namespace zunk {
namespace {

constexpr const char* kDownloadingPage = "Baixando p\xE1gina...";

constexpr std::array<std::pair<PopupButton, std::string_view>, 8> kPopupNames = {{
    {PopupButton::Ret, "btRet"},
    {PopupButton::Prx, "btPrx"},
    {PopupButton::Stp, "btStp"},
    {PopupButton::Fim, "btFim"},
    {PopupButton::Site1, "btSt1"},
    {PopupButton::Site2, "btSt2"},
    {PopupButton::Site3, "btSt3"},
    {PopupButton::Site4, "btSt4"},
}};

bool Holds(std::string_view text, std::string_view piece) {
  return text.find(piece) != std::string_view::npos;
}

void ShowGamePageInPopup(Game& game, const char* page) {
  if (const auto address = GamePageAddress(game, page)) game.host().ShowPopupBrowser(*address);
}

}  // namespace

bool BrowserNavigationRequested(Game& game, Browser browser, std::string_view url) {
  if (browser != Browser::Book || !Holds(url, "off.htm")) return true;
  // The page hands the player back to the game.
  game.ShowPage(BookPage::Screen);
  game.host().FocusInput();
  return false;
}

void BrowserNavigationComplete(Game& game, Browser browser) {
  ++game.web.display(browser).pages_loaded;
  if (browser != Browser::Book) return;
  game.web.game_page_loaded = true;
  game.host().FocusInput();
}

void BrowserDownloadBegin(Game& game, Browser browser) {
  BrowserDisplay& display = game.web.display(browser);
  display.lamp = Lamp::Fetching;
  display.progress = 0;
  if (browser != Browser::Book) return;
  game.host().SetLamp(Lamp::Fetching);
  game.output().SetStatus(kDownloadingPage);
}

void BrowserProgress(Game& game, Browser browser, int progress, int maximum) {
  BrowserDisplay& display = game.web.display(browser);
  display.maximum = maximum > 0 ? maximum : 100;
  display.progress = std::clamp(progress, 0, display.maximum);
}

void BrowserDownloadComplete(Game& game, Browser browser) {
  BrowserDisplay& display = game.web.display(browser);
  display.lamp = Lamp::Idle;
  if (browser != Browser::Book) return;
  game.host().SetLamp(Lamp::Idle);
  game.output().SetStatus("");
}

void PressWebButton(Game& game) {
  if (game.web.game_page_loaded) {
    game.ShowPage(BookPage::Web);
  } else {
    ShowGamePageInPopup(game, kStoryPage);
  }
}

void PressInstructionsButton(Game& game) {
  ShowGamePageInPopup(game, kInstructionsPage);
}

void PressOnlineButton(Game& game) {
  game.host().ShowPopupBrowser(SitePageAddress(game, kSitePages[0]));
}

void StopBrowsers(Game& game) {
  game.host().OrderBrowser(Browser::Book, BrowserOrder::Stop);
}

std::optional<PopupButton> PopupButtonByName(std::string_view name) {
  for (const auto& [button, button_name] : kPopupNames) {
    if (button_name == name) return button;
  }
  return std::nullopt;
}

const char* PopupButtonName(PopupButton button) {
  for (const auto& [b, name] : kPopupNames) {
    if (b == button) return name.data();
  }
  return "";
}

void ReleasePopupButton(Game& game, PopupButton button) {
  Host& host = game.host();
  switch (button) {
    case PopupButton::Ret:
      host.OrderBrowser(Browser::Popup, BrowserOrder::Back);
      break;
    case PopupButton::Prx:
      host.OrderBrowser(Browser::Popup, BrowserOrder::Forward);
      break;
    case PopupButton::Stp:
      host.OrderBrowser(Browser::Popup, BrowserOrder::Stop);
      break;
    case PopupButton::Fim:
      host.PumpEvents();
      host.HidePopupBrowser();
      break;
    default: {
      const auto index =
          static_cast<std::size_t>(button) - static_cast<std::size_t>(PopupButton::Site1);
      host.NavigatePopup(SitePageAddress(game, kSitePages[index]));
      break;
    }
  }
}

}  // namespace zunk
