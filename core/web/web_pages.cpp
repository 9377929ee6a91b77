// Page addresses, opening the game's pages and the web command's modes.
#include "web/web_pages.h"

#include <algorithm>
#include <array>

#include "game/game.h"
#include "platform/game_folder.h"
#include "script/operands.h"

namespace zunk {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (FoldCp1252(text[i]) != FoldCp1252(prefix[i])) return false;
  }
  return true;
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

// An http or https address with a host and nothing that could not stand in a URL.
bool IsWebAddress(std::string_view text) {
  std::string_view rest;
  if (StartsWithNoCase(text, "http://")) {
    rest = text.substr(7);
  } else if (StartsWithNoCase(text, "https://")) {
    rest = text.substr(8);
  } else {
    return false;
  }
  if (rest.empty() || rest.front() == '/') return false;
  return std::none_of(text.begin(), text.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u <= ' ' || u == 0x7F || c == '\\' || c == '"';
  });
}

// Files that a default handler would run rather than show.
bool IsProgram(std::string_view name, const std::filesystem::path& file) {
  static constexpr std::array<std::string_view, 14> kLaunchers = {
      ".exe", ".com",     ".bat", ".cmd",      ".pif", ".scr", ".lnk",
      ".sh",  ".desktop", ".jar", ".appimage", ".run", ".py",  ".msi"};
  for (std::string_view extension : kLaunchers) {
    if (EndsWithNoCase(name, extension)) return true;
  }
  std::error_code error;
  const auto permissions = std::filesystem::status(file, error).permissions();
  if (error) return true;
  using std::filesystem::perms;
  return (permissions & (perms::owner_exec | perms::group_exec | perms::others_exec)) !=
         perms::none;
}

// What a browser may be sent to by a script: web addresses and the confined schemes. file:
// pages could read the player's other files and javascript: or data: ones run what the script
// says, so those go nowhere.
bool IsBrowsable(std::string_view address) {
  return IsWebAddress(address) || StartsWithNoCase(address, kGamePageRoot) ||
         StartsWithNoCase(address, kSitePageRoot);
}

}  // namespace

std::optional<std::string> GamePageAddress(const Game& game, std::string_view page) {
  if (!game.url.empty()) return game.url + std::string(page);
  // From the game folder: the file name is confined; a query or fragment stays as written.
  const std::size_t cut = page.find_first_of("?#");
  const std::string_view name = page.substr(0, cut);
  if (!SafeRelativePath(name)) return std::nullopt;
  std::string address = kGamePageRoot + EncodeUrlPath(name);
  if (cut != std::string_view::npos) address += EncodeBaseUrl(page.substr(cut));
  return address;
}

std::string SitePageAddress(const Game& game, std::string_view path) {
  const std::string& root = game.web.site_root;
  return (root.empty() ? std::string(kSitePageRoot) : root) + std::string(path);
}

std::string SiteRootFromSetting(std::string_view setting) {
  const std::string_view root = TrimBlanks(setting);
  if (!IsWebAddress(root)) return {};
  std::string result(root);
  if (result.back() != '/') result += '/';
  return result;
}

void OpenGamePage(Game& game, std::string_view page, bool focus_input) {
  game.ShowPage(BookPage::Web);
  if (const auto address = GamePageAddress(game, page)) game.host().Navigate(*address);
  if (focus_input) game.host().FocusInput();
}

bool OpenWithSystem(Game& game, std::string_view target) {
  if (IsWebAddress(target)) {
    game.host().OpenAddressWithSystem(std::string(target));
    return true;
  }
  // Anything with a scheme (file:, javascript:, a custom one) or a drive prefix is refused by
  // the name check; a name of the game folder must exist there and not be a program.
  if (target.find(':') != std::string_view::npos || !SafeRelativePath(target)) return false;
  const auto relative = game.folder().Locate(target);
  if (!relative) return false;
  const std::filesystem::path file = game.folder().path() / std::filesystem::u8path(*relative);
  if (IsProgram(target, file)) return false;
  game.host().OpenFileWithSystem(file);
  return true;
}

void WebCommand(Game& game, std::string_view args) {
  if (args.find(',') == std::string_view::npos) {
    OpenGamePage(game, args);
    return;
  }
  Fields fields(args);
  const std::string page(TrimBlanks(fields.Take()));
  const std::string_view mode = TrimBlanks(fields.rest());
  if (mode == "0") {
    game.ShowPage(BookPage::Web);
    if (IsBrowsable(page)) game.host().Navigate(page);
    game.host().FocusInput();
  } else if (mode == "1") {
    if (IsBrowsable(page)) game.host().ShowPopupBrowser(page);
  } else if (mode == "2") {
    OpenWithSystem(game, page);
  }
}

}  // namespace zunk
