// Holding input during a blocking wait: held keys and clicks arrive afterwards in order, what
// passes goes through at once, and timer ticks that fell due fire once after the wait.
#include <QLineEdit>
#include <QPushButton>

#include "window_test_support.h"

namespace zunk::testing {
namespace {

TEST(InputHoldTest, HeldInputArrivesAfterTheHoldInOrderAndPassingInputAtOnce) {
  QWidget top;
  auto* edit = new QLineEdit(&top);
  auto* stop = new QPushButton("stop", &top);
  stop->setObjectName("btStp");
  stop->move(0, 40);
  int stop_clicks = 0;
  QObject::connect(stop, &QPushButton::clicked, [&] { ++stop_clicks; });
  top.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&top));
  edit->setFocus();
  bool released = false;
  {
    InputHold hold([](QWidget* target,
                      QEvent*) { return target != nullptr && target->objectName() == "btStp"; },
                   [&] { released = true; });
    EXPECT_TRUE(InputHold::Active());
    QTest::keyClicks(edit, "abc");
    QTest::mouseClick(stop, Qt::LeftButton);
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(stop_clicks, 1);
    {
      InputHold inner;
      QTest::keyClicks(edit, "d");
    }
    // The inner hold's input is caught again by the outer one.
    QCoreApplication::processEvents();
    EXPECT_EQ(edit->text(), "");
    EXPECT_FALSE(released);
  }
  EXPECT_TRUE(released);
  EXPECT_FALSE(InputHold::Active());
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->text(), "abcd");
}

class HeldTicksTest : public WindowTest {};

TEST_F(HeldTicksTest, ATickDueDuringTheHoldFiresOnceAfterwards) {
  Start(/*scripted=*/false);
  int ticks = 0;
  const std::int32_t before = game_->world().reg[kRegSeconds];
  host_->SetClockTimer(true);
  {
    auto hold = host_->HoldInput();
    QTest::qWait(2300);  // two ticks fall due meanwhile
    EXPECT_EQ(game_->world().reg[kRegSeconds], before);
  }
  QTest::qWait(50);
  ticks = game_->world().reg[kRegSeconds] - before;
  EXPECT_EQ(ticks, 1);
  host_->SetClockTimer(false);
}

}  // namespace
}  // namespace zunk::testing
