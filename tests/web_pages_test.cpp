// The web pages as game rules, without a browser: the web command's modes (and what mode 2
// refuses to hand to the system), game pages from the base URL or the game folder, the off.htm
// rule, btWeb before and after the game's page has loaded, the download display, the pop-up's
// buttons, the site root setting and the confined scheme's names.
#include "web/web_pages.h"

#include <sys/stat.h>

#include "game/window_buttons.h"
#include "platform/game_folder.h"
#include "test_support.h"
#include "web/browser_events.h"
#include "web/page_scheme.h"

namespace zunk::testing {
namespace {

// Logs the web services besides FakeHost's own log: "popup URL", "popup go URL", "popup hide",
// "order book|popup back|forward|stop", "open URL" and "open file NAME" (relative to the
// game folder).
class WebHost : public FakeHost {
 public:
  void ShowPopupBrowser(const std::string& url) override { log.push_back("popup " + url); }
  void NavigatePopup(const std::string& url) override { log.push_back("popup go " + url); }
  void HidePopupBrowser() override { log.push_back("popup hide"); }
  void OrderBrowser(Browser browser, BrowserOrder order) override {
    static const char* kOrders[] = {"back", "forward", "stop"};
    log.push_back(std::string("order ") + (browser == Browser::Book ? "book " : "popup ") +
                  kOrders[static_cast<int>(order)]);
  }
  void OpenAddressWithSystem(const std::string& url) override { log.push_back("open " + url); }
  void OpenFileWithSystem(const std::filesystem::path& file) override {
    log.push_back("open file " + file.lexically_relative(folder).string());
  }
  std::filesystem::path folder;
};

class WebPagesTest : public ::testing::Test {
 protected:
  void Start(const std::string& url = "") {
    host_.folder = dir_.path();
    game_ = std::make_unique<Game>(host_, GameConfig{dir_.path(), "teste", url, {}});
    host_.log.clear();
  }
  Strings Web(const std::string& args) {
    host_.log.clear();
    game_->ExecLineFromHost("web " + args);
    return host_.log;
  }
  TempDir dir_;
  WebHost host_;
  std::unique_ptr<Game> game_;
};

TEST_F(WebPagesTest, WebCommandWithoutCommaOpensTheGamesPageUnderTheBaseUrl) {
  Start("http://jogos.example/farol/");
  EXPECT_EQ(Web("mapa.htm"),
            (Strings{"page 2", "navigate http://jogos.example/farol/mapa.htm", "focus input"}));
  EXPECT_EQ(game_->page(), BookPage::Web);
}

TEST_F(WebPagesTest, WithoutBaseUrlTheGamesPagesComeFromTheGameFolderScheme) {
  Start();
  EXPECT_EQ(Web("enredo.htm"),
            (Strings{"page 2", "navigate zunk-jogo://jogo/enredo.htm", "focus input"}));
  // Names are encoded; a fragment stays a fragment; a name leading outside navigates nowhere.
  EXPECT_EQ(GamePageAddress(*game_, "p\xE1ginas\\um dia.htm#fim"),
            "zunk-jogo://jogo/p%C3%A1ginas/um%20dia.htm#fim");
  EXPECT_EQ(Web("../segredo.htm"), (Strings{"page 2", "focus input"}));
  EXPECT_FALSE(GamePageAddress(*game_, "/etc/passwd").has_value());
  // btChv opens the game's instructions in the pop-up, from the folder too.
  host_.log.clear();
  ReleaseWindowButton(*game_, WindowButton::Chv);
  EXPECT_EQ(host_.log, (Strings{"popup zunk-jogo://jogo/index.htm"}));
}

TEST_F(WebPagesTest, ModesZeroAndOneSendTheBrowsersToThePageItself) {
  Start("http://base/");
  EXPECT_EQ(Web("https://outro.example/a.htm,0"),
            (Strings{"page 2", "navigate https://outro.example/a.htm", "focus input"}));
  EXPECT_EQ(Web("http://outro.example/b.htm, 1"), (Strings{"popup http://outro.example/b.htm"}));
  // Other modes, and an empty mode, do nothing.
  EXPECT_EQ(Web("http://x.example/,3"), Strings{});
  EXPECT_EQ(Web("http://x.example/,"), Strings{});
  // Neither browser is sent to a file: page (it could read the player's files) or a script.
  EXPECT_EQ(Web("file:///etc/passwd,0"), (Strings{"page 2", "focus input"}));
  EXPECT_EQ(Web("javascript:alert(1),1"), Strings{});
}

TEST_F(WebPagesTest, ModeTwoOpensOnlyWebAddressesAndTheGameFoldersOwnFiles) {
  WriteBytes(dir_.path() / "Mapa.PDF", "%PDF");
  WriteBytes(dir_.path() / "jogo.sh", "#!/bin/sh\n");
  WriteBytes(dir_.path() / "manual.txt", "x");
  ::chmod((dir_.path() / "manual.txt").c_str(), 0755);
  Start();
  EXPECT_EQ(Web("https://exemplo.org/farol,2"), (Strings{"open https://exemplo.org/farol"}));
  EXPECT_EQ(Web("HTTP://exemplo.org/,2"), (Strings{"open HTTP://exemplo.org/"}));
  // Found case-insensitively, handed over as the file that exists.
  EXPECT_EQ(Web("mapa.pdf,2"), (Strings{"open file Mapa.PDF"}));
  // Refused silently: files outside the folder, programs, other schemes, missing files.
  for (const char* refused :
       {"file:/etc/passwd", "file:///etc/passwd", "c:\\x.exe", "../x.htm", "/etc/passwd",
        "javascript:alert(1)", "zunk-jogo:..", "zunk-jogo://jogo/../x", "ftp://exemplo.org/x",
        "http://", "http:///etc/passwd", "http://a b", "jogo.sh", "manual.txt", "falta.pdf",
        "data:text/html,oi", "\\\\servidor\\x"}) {
    EXPECT_EQ(Web(std::string(refused) + ",2"), Strings{}) << refused;
  }
}

TEST_F(WebPagesTest, OffHtmSendsThePlayerBackToTheGameAndIsCancelled) {
  Start();
  game_->ShowPage(BookPage::Web);
  host_.log.clear();
  EXPECT_FALSE(BrowserNavigationRequested(*game_, Browser::Book, "zunk-jogo://jogo/off.htm"));
  EXPECT_EQ(game_->page(), BookPage::Screen);
  EXPECT_EQ(host_.log, (Strings{"page 0", "focus input"}));
  EXPECT_FALSE(BrowserNavigationRequested(*game_, Browser::Book, "http://site/x/off.html?volta=1"));
  EXPECT_TRUE(BrowserNavigationRequested(*game_, Browser::Book, "http://site/offline.htm"));
  // The pop-up has no such rule.
  EXPECT_TRUE(BrowserNavigationRequested(*game_, Browser::Popup, "http://site/off.htm"));
}

TEST_F(WebPagesTest, WebButtonOpensTheStoryInThePopupUntilTheGamesPageHasLoaded) {
  Start("http://base/");
  ReleaseWindowButton(*game_, WindowButton::Web);
  EXPECT_EQ(host_.log, (Strings{"popup http://base/enredo.htm"}));
  EXPECT_EQ(game_->page(), BookPage::Screen);
  // A page loaded in the pop-up does not count.
  BrowserNavigationComplete(*game_, Browser::Popup);
  EXPECT_FALSE(game_->web.game_page_loaded);
  host_.log.clear();
  BrowserNavigationComplete(*game_, Browser::Book);
  EXPECT_TRUE(game_->web.game_page_loaded);
  EXPECT_EQ(host_.log, (Strings{"focus input"}));
  host_.log.clear();
  ReleaseWindowButton(*game_, WindowButton::Web);
  EXPECT_EQ(host_.log, (Strings{"page 2"}));
}

TEST_F(WebPagesTest, DownloadsShowOnTheLampGaugeAndStatusOfTheirWindow) {
  Start();
  BrowserDownloadBegin(*game_, Browser::Book);
  ASSERT_FALSE(host_.lamps.empty());
  EXPECT_EQ(host_.lamps.back(), Lamp::Fetching);
  EXPECT_EQ(game_->output().status(), "Baixando p\xE1gina...");
  EXPECT_EQ(game_->web.book.lamp, Lamp::Fetching);
  BrowserProgress(*game_, Browser::Book, 40, 200);
  EXPECT_EQ(game_->web.book.progress, 40);
  EXPECT_EQ(game_->web.book.maximum, 200);
  BrowserProgress(*game_, Browser::Book, 500, 0);  // no maximum: out of 100, clamped
  EXPECT_EQ(game_->web.book.progress, 100);
  BrowserDownloadComplete(*game_, Browser::Book);
  EXPECT_EQ(game_->output().status(), "");
  EXPECT_EQ(game_->web.book.lamp, Lamp::Idle);
  // The pop-up's downloads show on its own lamp and gauge only.
  host_.log.clear();
  game_->output().SetStatus("antes");
  BrowserDownloadBegin(*game_, Browser::Popup);
  EXPECT_EQ(game_->web.popup.lamp, Lamp::Fetching);
  EXPECT_EQ(game_->web.book.lamp, Lamp::Idle);
  EXPECT_EQ(game_->output().status(), "antes");
  EXPECT_EQ(host_.log, Strings{});
}

TEST_F(WebPagesTest, PopupButtonsAndTheSiteRoot) {
  Start();
  // No site root configured: zunk's own pages.
  ReleaseWindowButton(*game_, WindowButton::Onl);
  ReleasePopupButton(*game_, PopupButton::Site2);
  ReleasePopupButton(*game_, PopupButton::Ret);
  ReleasePopupButton(*game_, PopupButton::Prx);
  ReleasePopupButton(*game_, PopupButton::Stp);
  ReleasePopupButton(*game_, PopupButton::Fim);
  ReleaseWindowButton(*game_, WindowButton::Stp);
  EXPECT_EQ(host_.log,
            (Strings{"popup zunk-site://site/index.htm", "popup go zunk-site://site/guia.htm",
                     "order popup back", "order popup forward", "order popup stop", "pump",
                     "popup hide", "order book stop"}));
  EXPECT_EQ(PopupButtonByName("btSt4"), PopupButton::Site4);
  EXPECT_FALSE(PopupButtonByName("btXyz").has_value());

  EXPECT_EQ(SiteRootFromSetting(" https://zunk.example/jogos "), "https://zunk.example/jogos/");
  EXPECT_EQ(SiteRootFromSetting("http://zunk.example/"), "http://zunk.example/");
  for (const char* ignored : {"", "file:///home/", "zunk.example", "javascript:x", "ftp://a/"}) {
    EXPECT_EQ(SiteRootFromSetting(ignored), "") << ignored;
  }
}

TEST_F(WebPagesTest, SiteRootComesFromLineEightOfTheSettingsFile) {
  WriteBytes(dir_.path() / "teste.ovt",
             "0\r\n1\r\n2\r\ninicio\r\n4\r\nana\r\nx\r\n7\r\n"
             "https://autor.example/site\r\n");
  Start();
  EXPECT_EQ(game_->web.site_root, "https://autor.example/site/");
  ReleaseWindowButton(*game_, WindowButton::Onl);
  EXPECT_EQ(host_.log, (Strings{"popup https://autor.example/site/index.htm"}));
}

TEST(PageSchemeTest, NamesAreConfinedToTheFolder) {
  EXPECT_EQ(PageNameFromUrlPath("/enredo.htm"), "enredo.htm");
  EXPECT_EQ(PageNameFromUrlPath("/fotos/p%C3%A1gina%201.jpg"), "fotos/p\xE1gina 1.jpg");
  for (const char* refused :
       {"", "/", "enredo.htm", "/../x.htm", "/a/../../x", "/%2e%2e/x", "/%2E%2E%2Fsegredo",
        "//etc/passwd", "/%2Fetc/passwd", "/c:/x.htm", "/a%00.htm", "/a%zz", "/a%4", "/..%5Cx"}) {
    EXPECT_FALSE(PageNameFromUrlPath(refused).has_value()) << refused;
  }
  EXPECT_EQ(PageMimeType("ENREDO.HTM"), "text/html");
  EXPECT_EQ(PageMimeType("a.jpeg"), "image/jpeg");
  EXPECT_EQ(PageMimeType("a.exe"), "application/octet-stream");
}

TEST(PageSchemeTest, ServesFilesOfTheFolderOnlyMatchingCaseAsTheGameDoes) {
  TempDir root;
  WriteBytes(root.path() / "jogo" / "Enredo.HTM", "<p>oi</p>");
  WriteBytes(root.path() / "segredo.txt", "fora");
  std::filesystem::create_symlink(root.path() / "segredo.txt", root.path() / "jogo" / "atalho.txt");
  const GameFolder folder(root.path() / "jogo");
  const auto page = ServePage(folder, "/enredo.htm");
  ASSERT_TRUE(page.has_value());
  EXPECT_EQ(page->bytes, "<p>oi</p>");
  EXPECT_EQ(page->mime_type, "text/html");
  EXPECT_FALSE(ServePage(folder, "/../segredo.txt").has_value());
  EXPECT_FALSE(ServePage(folder, "/atalho.txt").has_value());  // a link leading outside
  EXPECT_FALSE(ServePage(folder, "/falta.htm").has_value());
}

}  // namespace
}  // namespace zunk::testing
