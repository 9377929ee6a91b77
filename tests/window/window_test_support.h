// Shared pieces of the window tests: a copy of the demo game played in a real game window on
// Qt's offscreen platform, with the virtual clock of scripted play.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>

#include "../test_support.h"
#include "game/game.h"
#include "game_window.h"
#include "qt_strings.h"
#include "window_host.h"
#include "window_pictures.h"

namespace zunk::testing {

class WindowTest : public ::testing::Test {
 protected:
  // scripted: the virtual clock and printed faults; otherwise real timers and the error box.
  void Start(bool scripted = true) {
    std::filesystem::copy(ZUNK_DEMO_DIR, dir_.path() / "jogo",
                          std::filesystem::copy_options::recursive);
    host_ = std::make_unique<WindowHost>(scripted, false);
    GameConfig config;
    config.game_dir = dir_.path() / "jogo";
    config.base_name = "farol";
    game_ = std::make_unique<Game>(*host_, config);
    window_ = std::make_unique<GameWindow>(*game_, LoadWindowArt(FindArtFolder()), scripted);
    host_->AttachWindow(*game_, *window_);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    window_->Dispatch([this] { game_->Activate(); });
    // What waits for the first frame (the media players, the start music) is made now, not in
    // the middle of a test's timing (each step is one posted call after the one before).
    for (int step = 0; step < 3; ++step) QCoreApplication::processEvents();
  }
  void TearDown() override {
    if (host_) host_->DetachWindow();
    window_.reset();
    game_.reset();
    // Timers and objects left for deletion (also by a nested loop, the error box's) go now, not
    // at exit.
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  QPlainTextEdit& Mensag() { return *window_->findChild<QPlainTextEdit*>("Mensag"); }
  QString Status() { return window_->findChild<QLabel*>("Stk")->text(); }
  void Type(const QString& sentence) {
    QTest::keyClicks(&window_->frase(), sentence);
    QTest::keyClick(&window_->frase(), Qt::Key_Return);
  }
  std::filesystem::path game_dir() const { return dir_.path() / "jogo"; }

  TempDir dir_;
  std::unique_ptr<WindowHost> host_;
  std::unique_ptr<Game> game_;
  std::unique_ptr<GameWindow> window_;
};

}  // namespace zunk::testing
