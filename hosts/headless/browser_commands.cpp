// The browsers' events and the pop-up's buttons on the console.
#include "browser_commands.h"

#include <string_view>

#include "script/operands.h"
#include "web/browser_events.h"

namespace zunk {
namespace {

constexpr const char* kBrowserUsage =
    "aviso: uso: !browser web|popup request URL|begin|progress N M|complete|loaded\n";

// Splits off the first blank-separated word.
std::string_view FirstWord(std::string_view& text) {
  text = TrimBlanks(text);
  const std::size_t blank = text.find(' ');
  const std::string_view word = text.substr(0, blank);
  text = blank == std::string_view::npos ? std::string_view() : TrimBlanks(text.substr(blank));
  return word;
}

void RunBrowserEvent(Game& game, std::string_view rest, std::ostream& out) {
  const std::string_view which = FirstWord(rest);
  const std::string_view event = FirstWord(rest);
  if (which != "web" && which != "popup") {
    out << kBrowserUsage;
    return;
  }
  const Browser browser = which == "web" ? Browser::Book : Browser::Popup;
  if (event == "request" && !rest.empty()) {
    bool allowed = true;
    game.Guarded([&] { allowed = BrowserNavigationRequested(game, browser, rest); });
    if (!allowed) out << "web: cancelada\n";
  } else if (event == "begin") {
    game.Guarded([&] { BrowserDownloadBegin(game, browser); });
  } else if (event == "complete") {
    game.Guarded([&] { BrowserDownloadComplete(game, browser); });
  } else if (event == "loaded") {
    game.Guarded([&] { BrowserNavigationComplete(game, browser); });
  } else if (event == "progress") {
    const auto progress = ParseDecimal(FirstWord(rest));
    const auto maximum = ParseDecimal(FirstWord(rest));
    if (!progress || !maximum) {
      out << kBrowserUsage;
      return;
    }
    game.Guarded([&] { BrowserProgress(game, browser, *progress, *maximum); });
    const BrowserDisplay& display = game.web.display(browser);
    out << "progresso: " << display.progress << "/" << display.maximum << '\n';
  } else {
    out << kBrowserUsage;
  }
}

}  // namespace

bool RunBrowserCommand(Game& game, const std::string& command, const std::string& argument,
                       std::ostream& out) {
  if (command == "browser") {
    RunBrowserEvent(game, argument, out);
    return true;
  }
  if (command != "popup") return false;
  const auto button = PopupButtonByName(TrimBlanks(argument));
  if (!button) {
    out << "aviso: uso: !popup btRet|btPrx|btStp|btFim|btSt1|btSt2|btSt3|btSt4\n";
    return true;
  }
  game.Guarded([&] { ReleasePopupButton(game, *button); });
  return true;
}

}  // namespace zunk
