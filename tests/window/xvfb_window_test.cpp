// What the offscreen platform cannot show, checked on a real X server (Xvfb): the window's
// outline on the screen, dragging the window, and the drag window TDrag on top with its
// object's picture. Skipped on any other platform.
#include <QGuiApplication>
#include <QScreen>

#include "game/panel_mouse.h"
#include "window_input.h"
#include "window_layout.h"
#include "window_test_support.h"

namespace zunk::testing {
namespace {

class XvfbWindowTest : public WindowTest {
 protected:
  void SetUp() override {
    if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "needs an X server";
    Start();
    window_->move(100, 80);
    Settle();
  }
  static void Settle() {
    for (int i = 0; i < 20; ++i) {
      QCoreApplication::processEvents();
      QTest::qWait(10);
    }
  }
  static QColor ScreenPixel(QPoint global) {
    const QImage shot =
        QGuiApplication::primaryScreen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage();
    return shot.pixelColor(0, 0);
  }
};

TEST_F(XvfbWindowTest, OutlineShowsTheScreenBehindTheMagenta) {
  const QPoint origin = window_->mapToGlobal(QPoint(0, 0));
  const WindowArt art = LoadWindowArt(FindArtFolder());
  ASSERT_EQ(art.background.Pixel(0, 0), kMagenta);
  // The corner is a hole: the root window shows there, never the magenta.
  EXPECT_NE(ScreenPixel(origin), QColor(255, 0, 255));
  const Colour mensag = art.background.Pixel(layout::kMensag.x(), layout::kMensag.y());
  // The message window's margin, left of its text.
  EXPECT_EQ(ScreenPixel(origin + layout::kMensag.topLeft() + QPoint(1, 58)),
            QColor(RedOf(mensag), GreenOf(mensag), BlueOf(mensag)));
}

TEST_F(XvfbWindowTest, BackgroundDragsTheWindow) {
  const QPoint start = window_->pos();
  const QPoint grip = layout::kObjLoc.bottomLeft() + QPoint(0, 6);  // background under ObjLoc
  ASSERT_EQ(window_->childAt(grip), nullptr);
  QTest::mousePress(window_.get(), Qt::LeftButton, {}, grip);
  QTest::mouseMove(window_.get(), grip + QPoint(30, 20));
  QTest::mouseRelease(window_.get(), Qt::LeftButton, {}, grip + QPoint(30, 20));
  Settle();
  EXPECT_EQ(window_->pos(), start + QPoint(30, 20));
}

TEST_F(XvfbWindowTest, DragWindowCarriesTheObjectOnTop) {
  ASSERT_GT(game_->panels().loc_slots[0], 0) << "the lantern lies on the beach";
  PictureView& loc = window_->panel(Panel::Loc);
  SendMouse(loc, QEvent::MouseButtonPress, QPoint(20, 20));
  Settle();
  DragWindow& drag = window_->drag_window();
  ASSERT_TRUE(drag.isVisible());
  EXPECT_TRUE(drag.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(drag.size(), QSize(20, 20));
  EXPECT_EQ(drag.pos(), window_->mapToGlobal(layout::kObjLoc.topLeft() + QPoint(10, 10)));
  // The screen shows the object's picture there, not the panel under it.
  const QImage& picture = drag.image();
  QPoint inside(-1, -1);
  for (int y = 0; y < picture.height() && inside.x() < 0; ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.pixelColor(x, y) != QColor(255, 0, 255)) {
        inside = QPoint(x, y);
        break;
      }
    }
  }
  ASSERT_GE(inside.x(), 0);
  EXPECT_EQ(ScreenPixel(drag.pos() + inside), picture.pixelColor(inside));
  // ZUNK_SCREENSHOT_DIR keeps the screen as it looks mid-drag, to look at.
  if (const char* dir = std::getenv("ZUNK_SCREENSHOT_DIR"); dir != nullptr) {
    QGuiApplication::primaryScreen()->grabWindow(0).save(QString(dir) + "/xvfb_drag.png");
  }
  SendMouse(loc, QEvent::MouseButtonRelease, QPoint(20, 20));
  Settle();
  EXPECT_FALSE(drag.isVisible());
}

}  // namespace
}  // namespace zunk::testing
