#include <gtest/gtest.h>

#include "state/card_check.h"
#include "tests/recording_messages.h"

namespace {

TEST(CardCheck, ASlowCardIsWarnedAboutOnceAndTheShowGoesOn) {
  RecordingMessages messages;
  WarnAboutSlowCard("GeForce 5200 6200", messages);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], messages::kSlowGraphicsCard.text);
  WarnAboutSlowCard("Mesa Intel(R) UHD Graphics 620", messages);
  EXPECT_EQ(messages.shown.size(), 1u);
}

TEST(CardCheck, AnyRendererContainingEitherModelNumberIsSlow) {
  EXPECT_TRUE(IsSlowGraphicsCard("GeForce FX 5200/AGP/SSE2"));
  EXPECT_TRUE(IsSlowGraphicsCard("GeForce 6200 TurboCache"));
  EXPECT_TRUE(IsSlowGraphicsCard("Other Card v52001"));
  EXPECT_TRUE(IsSlowGraphicsCard("5200 and 6200"));
  EXPECT_FALSE(IsSlowGraphicsCard("llvmpipe (LLVM 15.0.6, 256 bits)"));
  EXPECT_FALSE(IsSlowGraphicsCard("GeForce 520 0"));
}

}  // namespace
