#include "test_support.h"

namespace zunk::testing {
namespace {

class SmokeTest : public GameTest {};

TEST_F(SmokeTest, StartScriptRunsOnFirstActivation) {
  WriteScript("inicio", {"reg 5,7", "msg= Olá"});
  Start();
  game().Activate();
  EXPECT_EQ(world().reg[5], 7);
  ASSERT_EQ(output().lines().size(), 1u);
}

}  // namespace
}  // namespace zunk::testing
