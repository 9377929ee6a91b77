// The update controls and the transfer display of the game window with real widgets against
// the loopback web server: "Atualizar" with G2, the lamp, G1 and Stk during a transfer, btStp
// breaking it off, the player's input held back until it ends, and a look at the settings
// page.
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <iostream>

#include "../test_http_server.h"
#include "window_input.h"
#include "window_test_support.h"

namespace zunk::testing {
namespace {

namespace fs = std::filesystem;

// What the window showed, sampled from the event loop while a transfer ran.
struct Sample {
  QColor lamp;
  int g1 = 0;
  QString status;
  bool g2_visible = false;
  int g2_x = 0;
  int g2 = 0;
};

class UpdatesWindowTest : public WindowTest {
 protected:
  void StartWithServer() {
    ASSERT_TRUE(server_.running());
    Start(/*scripted=*/false);
    game_->url = server_.url();
    game_->login = TestHttpServer::kUser;
    game_->senha = TestHttpServer::kPassword;
    sampler_.setInterval(0);  // at every pass of the event loop
    QObject::connect(&sampler_, &QTimer::timeout, [this] {
      const Gauge& g2 = window_->gauge(GaugeId::G2);
      samples_.push_back({window_->led().colour(), window_->gauge(GaugeId::G1).percent(), Status(),
                          g2.isVisible(), g2.x(), g2.percent()});
    });
  }
  template <typename Check>
  bool Saw(Check check) {
    return std::any_of(samples_.begin(), samples_.end(), check);
  }
  void ClickButton(const char* name) {
    auto* button = window_->findChild<QPushButton*>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
  }

  TestHttpServer server_;
  QTimer sampler_;
  std::vector<Sample> samples_;
};

TEST_F(UpdatesWindowTest, AtualizarShowsG2AdvancingAndFetchesTheChangedFiles) {
  StartWithServer();
  std::string list = "lista\n0\n";
  for (int i = 0; i < 4; ++i) {
    const std::string name = "atual" + std::to_string(i) + ".bin";
    list += name + "\n5000\n";
    server_.Serve(name, std::string(5000, 'a'));
  }
  server_.Serve("arquivos.txt", list);
  window_->Dispatch([this] { game_->ShowPage(BookPage::Config); });
  sampler_.start();
  ClickButton("btAtarq");
  sampler_.stop();
  for (int i = 0; i < 4; ++i)
    EXPECT_TRUE(fs::exists(game_dir() / ("atual" + std::to_string(i) + ".bin")));
  EXPECT_TRUE(Saw([](const Sample& s) { return s.g2_visible && s.g2_x == 150 && s.g2 == 50; }));
  EXPECT_TRUE(Saw([](const Sample& s) { return s.g2_visible && s.g2 == 75; }));
  EXPECT_FALSE(window_->gauge(GaugeId::G2).isVisible());
}

TEST_F(UpdatesWindowTest, ATransferShowsOnTheLampG1AndStatusAndHoldsInputUntilItEnds) {
  StartWithServer();
  sampler_.start();
  // A sentence typed during the transfer waits until it has ended.
  QTimer::singleShot(150, window_.get(), [this] { Type("OLHE"); });
  QString status_during;
  QTimer::singleShot(400, window_.get(), [&] { status_during = Status(); });
  bool fetched = false;
  window_->Dispatch([&] { fetched = game_->FetchFile("_slow.bin"); });
  sampler_.stop();
  EXPECT_TRUE(fetched);
  EXPECT_EQ(status_during, "Baixando...");
  EXPECT_TRUE(Saw([](const Sample& s) { return s.lamp == QColor(0, 255, 0); }));
  EXPECT_TRUE(Saw([](const Sample& s) {
    return s.lamp == QColor(255, 0, 0) && s.status == "Baixando..." && s.g1 > 0 && s.g1 < 100;
  }));
  EXPECT_EQ(window_->led().colour(), QColor(128, 0, 0));
  EXPECT_EQ(window_->gauge(GaugeId::G1).percent(), 0);
  // The held sentence runs afterwards.
  QTest::qWait(50);
  EXPECT_EQ(Status(), "] OLHE");
}

TEST_F(UpdatesWindowTest, BtStpBreaksOffTheTransferAndNoFileIsLeft) {
  StartWithServer();
  QTimer::singleShot(300, window_.get(), [this] {
    SendMouse(*window_->button("btStp"), QEvent::MouseButtonPress, QPoint(5, 5));
    SendMouse(*window_->button("btStp"), QEvent::MouseButtonRelease, QPoint(5, 5));
  });
  QElapsedTimer clock;
  clock.start();
  bool fetched = true;
  window_->Dispatch([&] { fetched = game_->FetchFile("_slow.bin"); });
  EXPECT_FALSE(fetched);
  EXPECT_LT(clock.elapsed(), 1500);  // the whole body takes 2 s
  EXPECT_FALSE(fs::exists(game_dir() / "_slow.bin"));
  EXPECT_EQ(window_->led().colour(), QColor(128, 0, 0));
  EXPECT_EQ(Status(), "");
}

TEST_F(UpdatesWindowTest, ClosingTheWindowDuringATransferEndsItAtOnce) {
  StartWithServer();
  QTimer::singleShot(300, window_.get(), [this] { window_->close(); });
  QElapsedTimer clock;
  clock.start();
  window_->Dispatch([&] { game_->FetchFile("_slow.bin"); });
  EXPECT_TRUE(window_->closing());
  EXPECT_LT(clock.elapsed(), 1500);
  EXPECT_FALSE(fs::exists(game_dir() / "_slow.bin"));
}

TEST_F(UpdatesWindowTest, TheSettingsPageShowsTheVersionAndUpdateControls) {
  StartWithServer();
  server_.Serve("vrs.txt", "2.0\n");
  window_->Dispatch([this] { game_->ShowPage(BookPage::Config); });
  ClickButton("btVer");
  EXPECT_EQ(window_->findChild<QLabel*>("stDown")->text(),
            QString::fromUtf8("Existe uma vers\u00e3o mais recente deste jogo..."));
  EXPECT_TRUE(window_->findChild<QWidget*>("btDown")->isVisible());
  EXPECT_TRUE(window_->findChild<QLabel*>("lbDown")->isVisible());
  EXPECT_EQ(window_->findChild<QLabel*>("Vrs")->text(), "1.0h");
  // G2 as an update run shows it, for the picture.
  window_->ShowGauge(GaugeId::G2, GaugeState{true, 40, 4, 3});
  const QImage shot = GrabWindow(*window_);
  const QString path = QDir::temp().filePath("zunk-settings-page.png");
  ASSERT_TRUE(shot.save(path));
  std::cout << "settings page: " << path.toStdString() << "\n";
}

}  // namespace
}  // namespace zunk::testing
