// The random generator and the drift channels.
#include "sim/drift.h"

#include <gtest/gtest.h>

#include <cmath>

#include "sim/random.h"
#include "sim/settings.h"

namespace {

TEST(RandomGenerator, SeedZeroAndOneGiveTheKnownSequences) {
  const int fromZero[] = {38, 7719, 21238, 2437, 8855, 11797, 8365, 32285};
  const int fromOne[] = {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358};
  SeedRandom(0);
  for (int v : fromZero) EXPECT_EQ(NextRandom(), v);
  SeedRandom(1);
  for (int v : fromOne) EXPECT_EQ(NextRandom(), v);
}

TEST(RandomGenerator, FrandStaysBelowItsArgument) {
  SeedRandom(7);
  double largest = 0.0;
  for (int i = 0; i < 200000; ++i) {
    const double v = frand(2.5);
    ASSERT_GE(v, 0.0);
    ASSERT_LT(v, 2.5);
    largest = std::max(largest, v);
  }
  // The period of the 15-bit output covers every value, so the top one shows up.
  EXPECT_DOUBLE_EQ(largest, 2.5 * 32767.0 / 32768.0);
}

TEST(RandomGenerator, FrandIsTheNextDrawOver32768) {
  SeedRandom(0);
  EXPECT_DOUBLE_EQ(frand(1.0), 38 / 32768.0);
  EXPECT_DOUBLE_EQ(frand(10.0), 7719 / 32768.0 * 10.0);
}

class DriftTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearDrift();
    s.rotateSpeed = s.movementSpeed = s.mainSpeed = s.lightRotateSpeed = 1.0f;
    SeedRandom(0);
  }
  Settings s{};
};

TEST_F(DriftTest, InitGivesDrivenChannelsAtTheirTargetAndLeavesChannelZero) {
  InitDrift(kDriftChannels);
  const DriftChannelState zero = GetDriftChannel(0);
  EXPECT_EQ(zero.phase, 0.0);
  EXPECT_EQ(zero.rate, 0.0);
  EXPECT_EQ(zero.drive, 0);
  for (int c = 1; c < kDriftChannels; ++c) {
    const DriftChannelState ch = GetDriftChannel(c);
    EXPECT_EQ(ch.drive, 1);
    EXPECT_EQ(ch.rate, ch.targetRate);
    EXPECT_GE(ch.targetRate, 0.02);
    EXPECT_LT(ch.targetRate, 0.04);
    EXPECT_GE(ch.phase, 0.0);
    EXPECT_LT(ch.phase, 3.141592654);
  }
}

TEST_F(DriftTest, InitDrawsPhaseThenTargetPerChannel) {
  InitDrift(3);
  SeedRandom(0);
  const double phase1 = frand(3.141592654);
  const double target1 = frand(0.02) + 0.02;
  const double phase2 = frand(3.141592654);
  EXPECT_EQ(GetDriftChannel(1).phase, phase1);
  EXPECT_EQ(GetDriftChannel(1).targetRate, target1);
  EXPECT_EQ(GetDriftChannel(2).phase, phase2);
}

TEST_F(DriftTest, ChannelZeroAdvancesByStepTimesMainSpeedWhateverItsRate) {
  InitDrift(kDriftChannels);
  s.mainSpeed = 2.5f;
  double expected = 0.0;
  for (int i = 0; i < 50; ++i) {
    StepDrift(kDriftChannels, 0.016f, s);
    expected += static_cast<double>(0.016f) * 2.5f;
  }
  EXPECT_DOUBLE_EQ(GetDriftChannel(0).phase, expected);
}

TEST_F(DriftTest, GroupsScaleTheAdvanceByTheirSpeedSetting) {
  InitDrift(kDriftChannels);
  s.rotateSpeed = 2.0f;
  s.movementSpeed = 3.0f;
  s.mainSpeed = 5.0f;
  s.lightRotateSpeed = 7.0f;
  DriftChannelState before[kDriftChannels];
  for (int c = 0; c < kDriftChannels; ++c) before[c] = GetDriftChannel(c);
  const float dt = 0.01f;
  StepDrift(kDriftChannels, dt, s);
  // A toggle or retarget is rare at this step; channels where one happened are skipped.
  for (int c = 1; c < kDriftChannels; ++c) {
    const DriftChannelState after = GetDriftChannel(c);
    if (after.drive != before[c].drive || after.targetRate != before[c].targetRate) continue;
    const double rate = after.rate;
    double factor = 0.0;
    if (c <= 3)
      factor = 2.0 * dt * 57.3;
    else if (c <= 6)
      factor = 3.0 * dt;
    else if (c <= 49)
      factor = 5.0 * dt;
    else
      factor = 7.0 * dt;
    EXPECT_NEAR(after.phase - before[c].phase, rate * factor, 1e-12) << "channel " << c;
  }
}

TEST_F(DriftTest, PullAndDecayApplyOncePerCallEvenWithZeroStep) {
  InitDrift(kDriftChannels);
  DriftChannelState before[kDriftChannels];
  for (int c = 0; c < kDriftChannels; ++c) before[c] = GetDriftChannel(c);
  StepDrift(kDriftChannels, 0.0f, s);
  for (int c = 0; c < kDriftChannels; ++c) {
    const DriftChannelState after = GetDriftChannel(c);
    EXPECT_EQ(after.phase, before[c].phase) << c;  // no phase moves with a zero step
    EXPECT_EQ(after.drive, before[c].drive) << c;  // and nothing toggles
    if (before[c].drive)
      EXPECT_DOUBLE_EQ(after.rate,
                       before[c].rate + (before[c].targetRate - before[c].rate) * 0.001);
    else
      EXPECT_DOUBLE_EQ(after.rate, before[c].rate * 0.999);
  }
}

TEST_F(DriftTest, StepDrawsTwicePerChannelWhenNothingHappens) {
  InitDrift(kDriftChannels);
  SeedRandom(5);
  StepDrift(kDriftChannels, 0.0f, s);  // p = 0: no event, exactly two draws per channel
  const int next = NextRandom();
  SeedRandom(5);
  for (int i = 0; i < 2 * kDriftChannels; ++i) NextRandom();
  EXPECT_EQ(NextRandom(), next);
}

TEST_F(DriftTest, LongRunsKeepRatesBoundedAndValuesInRange) {
  InitDrift(kDriftChannels);
  for (int i = 0; i < 20000; ++i) StepDrift(kDriftChannels, 0.1f, s);
  for (int c = 1; c < kDriftChannels; ++c) EXPECT_LT(std::fabs(GetDriftChannel(c).rate), 0.04);
  const double sky = DriftValue(11, 3.0, 0.5, 0.2);
  EXPECT_GE(sky, 0.2);
  EXPECT_LE(sky, 0.7);
  const double turn = DriftValue(1, 0.01, 720.0, -360.0);
  EXPECT_GE(turn, -360.0);
  EXPECT_LE(turn, 360.0);
}

TEST_F(DriftTest, ValueAtPhaseZeroIsMidRange) {
  EXPECT_DOUBLE_EQ(DriftValue(5, 0.01, 720.0, -360.0), 0.0);
  EXPECT_DOUBLE_EQ(DriftValue(50, 30.0, 0.5, 0.5), 0.75);
}

}  // namespace
