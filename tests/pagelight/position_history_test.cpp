#include "pagelight/position_history.h"

#include <gtest/gtest.h>

namespace pagelight {
namespace {

TEST(PositionHistory, BackAndForwardRetraceTwoJumps) {
  PositionHistory history;
  RecordJump(history, 0, 100);
  RecordJump(history, 100, 200);
  EXPECT_EQ(StepBack(history, 200), 100);
  EXPECT_EQ(StepBack(history, 100), 0);
  EXPECT_FALSE(CanStepBack(history));
  EXPECT_EQ(StepBack(history, 0), std::nullopt);
  EXPECT_EQ(StepForward(history, 0), 100);
  EXPECT_EQ(StepForward(history, 100), 200);
  EXPECT_FALSE(CanStepForward(history));
  EXPECT_EQ(StepForward(history, 200), std::nullopt);
}

TEST(PositionHistory, StepsReturnToWhereTheReaderHadScrolled) {
  PositionHistory history;
  RecordJump(history, 0, 100);
  RecordJump(history, 150, 300);  // scrolled on from 100 to 150 before the second jump
  EXPECT_EQ(StepBack(history, 320), 150);
  EXPECT_EQ(StepForward(history, 150), 320);
}

TEST(PositionHistory, NewJumpDropsTheForwardEntries) {
  PositionHistory history;
  RecordJump(history, 0, 100);
  RecordJump(history, 100, 200);
  StepBack(history, 200);
  RecordJump(history, 100, 500);
  EXPECT_FALSE(CanStepForward(history));
  EXPECT_EQ(StepBack(history, 500), 100);
  EXPECT_EQ(StepBack(history, 100), 0);
  EXPECT_FALSE(CanStepBack(history));
}

TEST(PositionHistory, JumpToWhereTheViewStandsAddsNothing) {
  PositionHistory history;
  RecordJump(history, 0, 100);
  RecordJump(history, 100, 100);
  EXPECT_EQ(history.positions.size(), 2u);
  EXPECT_EQ(StepBack(history, 100), 0);
}

TEST(PositionHistory, LongSessionKeepsTheNewestEntries) {
  PositionHistory history;
  const int jumps = static_cast<int>(kMaxHistoryEntries) + 100;
  for (int jump = 1; jump <= jumps; ++jump)
    RecordJump(history, (jump - 1) * 10, jump * 10);
  EXPECT_EQ(history.positions.size(), kMaxHistoryEntries);
  EXPECT_EQ(StepBack(history, jumps * 10), (jumps - 1) * 10);
  while (CanStepBack(history))
    StepBack(history, 0);
  EXPECT_EQ(history.positions.front(), (jumps + 1 - static_cast<int>(kMaxHistoryEntries)) * 10);
}

}  // namespace
}  // namespace pagelight
