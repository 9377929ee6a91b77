// The picture buttons and tick pictures as game rules, without a window.
#include "game/timers.h"
#include "game/window_buttons.h"
#include "test_support.h"

namespace zunk::testing {
namespace {

class WindowButtonsTest : public GameTest {};

TEST_F(WindowButtonsTest, TicksFollowThePartnerRule) {
  Start();
  auto press = [&](WindowButton b) { PressWindowButton(game(), b); };
  press(WindowButton::Shd);
  EXPECT_EQ(game().script_source, Source::DiskOnly);
  EXPECT_TRUE(TickShown(game(), WindowButton::Shd));
  press(WindowButton::Sweb);  // ticks itself, unticks its partner
  EXPECT_EQ(game().script_source, Source::WebOnly);
  EXPECT_FALSE(TickShown(game(), WindowButton::Shd));
  press(WindowButton::Sweb);  // a ticked tick unticks: disk then web
  EXPECT_EQ(game().script_source, Source::DiskThenWeb);
  EXPECT_FALSE(TickShown(game(), WindowButton::Sweb));
  // The file ticks are a pair of their own.
  press(WindowButton::Ahd);
  EXPECT_EQ(game().file_source, Source::DiskOnly);
  EXPECT_EQ(game().script_source, Source::DiskThenWeb);
  EXPECT_FALSE(TickShown(game(), WindowButton::Fim));
}

TEST_F(WindowButtonsTest, EndAndMinimiseStopBothTimersThenWaitAndAct) {
  Start();
  SetClockTimer(game(), true);
  SetPeriodicTimer(game(), true, 250);
  PressWindowButton(game(), WindowButton::Min);
  EXPECT_FALSE(game().timers().clock_on);
  EXPECT_FALSE(game().timers().periodic_on);
  EXPECT_EQ(game().timers().periodic_interval, 250u);
  host_.log.clear();
  EXPECT_EQ(ReleaseWindowButton(game(), WindowButton::Min), WindowAction::Minimise);
  EXPECT_EQ(host_.log, (Strings{"pump", "sleep 200"}));
  PressWindowButton(game(), WindowButton::Fim);
  EXPECT_EQ(ReleaseWindowButton(game(), WindowButton::Fim), WindowAction::End);
}

TEST_F(WindowButtonsTest, PageButtonsShowTheirPages) {
  Start();
  EXPECT_EQ(ReleaseWindowButton(game(), WindowButton::Cfg), WindowAction::None);
  EXPECT_EQ(game().page(), BookPage::Config);
  game().web.game_page_loaded = true;
  ReleaseWindowButton(game(), WindowButton::Web);
  EXPECT_EQ(game().page(), BookPage::Web);
  ReleaseWindowButton(game(), WindowButton::Vsr);
  EXPECT_EQ(game().page(), BookPage::Screen);
  EXPECT_EQ(WindowButtonByName("btOnl"), WindowButton::Onl);
  EXPECT_FALSE(WindowButtonByName("btXyz").has_value());
  EXPECT_STREQ(WindowButtonName(WindowButton::Aweb), "Aweb");
}

}  // namespace
}  // namespace zunk::testing
