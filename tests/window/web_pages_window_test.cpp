// The web pages in the real windows with the real browser engine (loaded from the web module)
// on the offscreen platform: the game's story page through the game folder's scheme with its
// download on the lamp and status line, the off.htm rule on a clicked link, a page server that
// never answers (stopped by btStp, or by the timeout), climbing out of the folder and file:
// links refused, and the pop-up browser with its buttons. Screenshots of the web page and of
// the pop-up are saved beside the test binary.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "web/browser_events.h"
#include "window_input.h"
#include "window_test_support.h"

namespace zunk::testing {
namespace {

constexpr int kLoadWaitMs = 20000;

// A loopback port that takes connections (the kernel completes them) and never answers.
class SilentServer {
 public:
  SilentServer() {
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::listen(fd_, 16);
    socklen_t length = sizeof address;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &length);
    port_ = ntohs(address.sin_port);
  }
  ~SilentServer() { ::close(fd_); }
  std::string Url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

 private:
  int fd_ = -1;
  int port_ = 0;
};

// Runs events until the condition holds or the time is up (QTest's own waiting macros report
// to QTest, not to GoogleTest).
bool WaitFor(const std::function<bool()>& condition, int milliseconds) {
  return QTest::qWaitFor(condition, milliseconds);
}

class WebWindowTest : public WindowTest {
 protected:
  int PageShown() { return window_->findChild<QStackedWidget*>("Abook")->currentIndex(); }
  void Line(const std::string& line) {
    window_->Dispatch([&] { game_->ExecLineFromHost(line); });
  }
  void Click(QWidget& widget) {
    SendMouse(widget, QEvent::MouseButtonPress, QPoint(3, 3));
    SendMouse(widget, QEvent::MouseButtonRelease, QPoint(3, 3));
  }
  // A page whose whole surface is one link to href.
  void WriteLinkPage(const std::string& name, const std::string& href) {
    WriteBytes(game_dir() / name,
               "<html><body style='margin:0'><a href='" + href +
                   "' style='display:block;width:100%;height:400px;background:#9cc3d6'>ir</a>"
                   "</body></html>");
  }
  // Clicks the middle of a browser's page, as a player does.
  static void ClickPage(BrowserSlot& slot) {
    QWidget* target = slot.view()->widget()->focusProxy();
    if (target == nullptr) target = slot.view()->widget();
    const QPoint middle(slot.width() / 2, slot.height() / 2);
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, middle);
  }
  static void SaveShot(QWidget& widget, const char* name) {
    widget.grab().save(QString::fromStdString(
        (std::filesystem::path(ZUNK_WINDOW_PATH).parent_path() / name).string()));
  }
  QUrl BookUrl() { return window_->web().view()->url(); }
  // Waits for the browser's next completed navigation (from the count before the action) and
  // the end of its download.
  bool Loaded(Browser browser, int before) {
    const BrowserDisplay& display = game_->web.display(browser);
    return WaitFor([&] { return display.pages_loaded > before && display.lamp == Lamp::Idle; },
                   kLoadWaitMs);
  }
  int LoadsOf(Browser browser) { return game_->web.display(browser).pages_loaded; }
};

TEST_F(WebWindowTest, StoryPageLoadsFromTheGameFolderWithLampAndStatus) {
  Start();
  // The status line and lamp as they change during the download.
  std::vector<QString> statuses;
  std::vector<Lamp> lamps;
  QTimer watch;
  QObject::connect(&watch, &QTimer::timeout, [&] {
    if (statuses.empty() || statuses.back() != Status()) statuses.push_back(Status());
    if (lamps.empty() || lamps.back() != game_->web.book.lamp)
      lamps.push_back(game_->web.book.lamp);
  });
  watch.start(1);
  Line("web enredo.htm");
  EXPECT_EQ(PageShown(), 2);
  ASSERT_NE(window_->web().view(), nullptr) << "the web module was not found";
  ASSERT_TRUE(Loaded(Browser::Book, 0));
  watch.stop();
  EXPECT_EQ(BookUrl(), QUrl("zunk-jogo://jogo/enredo.htm"));
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), QString::fromUtf8("Baixando página...")),
            statuses.end());
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(lamps, (std::vector<Lamp>{Lamp::Idle, Lamp::Fetching, Lamp::Idle}));
  EXPECT_EQ(game_->web.book.progress, 100);
  QTest::qWait(300);  // the page paints
  SaveShot(*window_, "web_page.png");
  // Now btWeb shows the web page instead of the story in the pop-up.
  Click(*window_->button("btVsr"));
  Click(*window_->button("btWeb"));
  EXPECT_EQ(PageShown(), 2);
  EXPECT_FALSE(window_->has_popup());
}

TEST_F(WebWindowTest, OffHtmLinkReturnsToTheGame) {
  Start();
  WriteLinkPage("sair.htm", "off.htm");
  Line("web sair.htm");
  ASSERT_TRUE(Loaded(Browser::Book, 0));
  ASSERT_EQ(PageShown(), 2);
  ClickPage(window_->web());
  ASSERT_TRUE(WaitFor([&] { return PageShown() == 0; }, kLoadWaitMs));
  // Frase is the window's focus widget (it has the focus whenever the window is active).
  EXPECT_EQ(window_->focusWidget(), &window_->frase());
  // The navigation itself did not happen.
  QTest::qWait(200);
  EXPECT_EQ(BookUrl(), QUrl("zunk-jogo://jogo/sair.htm"));
}

TEST_F(WebWindowTest, ServerThatNeverAnswersIsStoppedByBtStpOrTheTimeout) {
  SilentServer server;
  Start();
  game_->url = server.Url();
  Line("web mudo.htm");
  ASSERT_TRUE(WaitFor([&] { return game_->web.book.lamp == Lamp::Fetching; }, kLoadWaitMs));
  EXPECT_EQ(Status(), QString::fromUtf8("Baixando página..."));
  Click(*window_->button("btStp"));
  EXPECT_EQ(game_->web.book.lamp, Lamp::Idle);
  EXPECT_EQ(Status(), "");
  // Left alone, the download ends at the timeout.
  window_->web().view()->SetLoadTimeout(500);
  Line("web outra.htm");
  ASSERT_TRUE(WaitFor([&] { return game_->web.book.lamp == Lamp::Fetching; }, kLoadWaitMs));
  ASSERT_TRUE(WaitFor([&] { return game_->web.book.lamp == Lamp::Idle; }, 5000));
  EXPECT_EQ(Status(), "");
  EXPECT_FALSE(game_->web.game_page_loaded);
}

TEST_F(WebWindowTest, NeitherClimbingOutOfTheFolderNorFileLinksReachOtherFiles) {
  Start();
  WriteBytes(dir_.path() / "segredo.htm", "<p>segredo</p>");
  WriteLinkPage("arquivo.htm", "file://" + (dir_.path() / "segredo.htm").string());
  // Through the scheme, ".." (plain or encoded) cannot leave the game folder: nothing loads.
  for (const char* climb :
       {"zunk-jogo://jogo/%2e%2e/segredo.htm", "zunk-jogo://jogo/../segredo.htm",
        "zunk-jogo://jogo/..%2Fsegredo.htm", "zunk-jogo://jogo/%2E%2E%5Csegredo.htm"}) {
    window_->web().Navigate(climb);
    QTest::qWait(700);
    ASSERT_TRUE(WaitFor([&] { return game_->web.book.lamp == Lamp::Idle; }, kLoadWaitMs));
    EXPECT_EQ(LoadsOf(Browser::Book), 0) << climb;
  }
  // A file: link on a page goes nowhere.
  Line("web arquivo.htm");
  ASSERT_TRUE(Loaded(Browser::Book, 0));
  ClickPage(window_->web());
  QTest::qWait(800);
  EXPECT_EQ(BookUrl(), QUrl("zunk-jogo://jogo/arquivo.htm"));
  // Nor does a file: address given to the browser directly.
  window_->web().Navigate("file://" + (dir_.path() / "segredo.htm").string());
  QTest::qWait(500);
  EXPECT_EQ(BookUrl(), QUrl("zunk-jogo://jogo/arquivo.htm"));
}

TEST_F(WebWindowTest, PopupShowsTheStoryAndItsButtonsWork) {
  Start();
  Click(*window_->button("btWeb"));
  ASSERT_TRUE(window_->has_popup());
  PopupBrowser& popup = window_->popup();
  EXPECT_TRUE(popup.isVisible());
  EXPECT_EQ(PageShown(), 0);
  ASSERT_NE(popup.browser().view(), nullptr);
  auto popup_url = [&] { return popup.browser().view()->url(); };
  ASSERT_TRUE(Loaded(Browser::Popup, 0));
  EXPECT_EQ(popup_url(), QUrl("zunk-jogo://jogo/enredo.htm"));
  // The pop-up's load is not the game page's.
  EXPECT_FALSE(game_->web.game_page_loaded);
  EXPECT_EQ(popup.led().colour(), QColor(128, 0, 0));
  // A site button opens zunk's own guide; back and forward go between the two.
  Click(*popup.button("btSt2"));
  ASSERT_TRUE(Loaded(Browser::Popup, 1));
  EXPECT_EQ(popup_url(), QUrl("zunk-site://site/guia.htm"));
  QTest::qWait(300);  // the page paints
  SaveShot(popup, "popup_browser.png");
  Click(*popup.button("btRet"));
  ASSERT_TRUE(Loaded(Browser::Popup, 2));
  EXPECT_EQ(popup_url(), QUrl("zunk-jogo://jogo/enredo.htm"));
  Click(*popup.button("btPrx"));
  ASSERT_TRUE(Loaded(Browser::Popup, 3));
  EXPECT_EQ(popup_url(), QUrl("zunk-site://site/guia.htm"));
  // The grip drags the window.
  const QPoint before = popup.pos();
  SendMouse(popup.grip(), QEvent::MouseButtonPress, QPoint(5, 5));
  QMouseEvent move(QEvent::MouseMove, QPointF(45, 25), popup.grip().mapToGlobal(QPointF(45, 25)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&popup.grip(), &move);
  SendMouse(popup.grip(), QEvent::MouseButtonRelease, QPoint(45, 25));
  EXPECT_EQ(popup.pos() - before, QPoint(40, 20));
  Click(*popup.button("btFim"));
  EXPECT_FALSE(popup.isVisible());
  // btChv shows it again on the game's instructions.
  Click(*window_->button("btChv"));
  EXPECT_TRUE(popup.isVisible());
  ASSERT_TRUE(Loaded(Browser::Popup, 4));
  EXPECT_EQ(popup_url(), QUrl("zunk-jogo://jogo/index.htm"));
}

}  // namespace
}  // namespace zunk::testing
