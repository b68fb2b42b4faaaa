#include "orvandel/viewer/viewer_state.h"

#include <gtest/gtest.h>

namespace orvandel {
namespace {

TEST(ViewerStateTest, TurningStepsTheTargetPairOnly) {
  ViewerState state;
  EXPECT_EQ(TurnTarget(state, AngleAxis::kVertical, kAngleStep), (AnglePair{25, 60}));
  EXPECT_EQ(TurnTarget(state, AngleAxis::kHorizontal, -kAngleStep), (AnglePair{25, 55}));
  EXPECT_EQ(ChooseAngleTarget(state, AngleTargetKind::kSun), (AnglePair{90, 180}));
  EXPECT_EQ(TurnTarget(state, AngleAxis::kHorizontal, kAngleStep), (AnglePair{90, 185}));
  EXPECT_EQ(ChooseAngleTarget(state, AngleTargetKind::kObserver), (AnglePair{25, 55}));
  EXPECT_EQ(state.SunHorizontal, 185);
}

TEST(ViewerStateTest, AnglesRunRoundInBothDirections) {
  ViewerState state;
  SetObserverAngles(state, {355, 0});
  EXPECT_EQ(TurnTarget(state, AngleAxis::kVertical, kAngleStep).vertical, 0);
  EXPECT_EQ(TurnTarget(state, AngleAxis::kHorizontal, -kAngleStep).horizontal, 355);
  // An angle off the grid of steps (from the command line) stops at the ends as well.
  SetObserverAngles(state, {358, 2});
  EXPECT_EQ(TurnTarget(state, AngleAxis::kVertical, kAngleStep).vertical, 0);
  EXPECT_EQ(TurnTarget(state, AngleAxis::kHorizontal, -kAngleStep).horizontal, 355);
}

TEST(ViewerStateTest, ApplyViewAndResetAngles) {
  ViewerState state;
  ApplyView(state, {{35, 10}, {45, 5}, 1.5f, false});
  EXPECT_EQ(TargetAngles(state), (AnglePair{35, 10}));
  EXPECT_EQ(state.SunVertical, 45);
  EXPECT_EQ(state.SunHorizontal, 5);
  EXPECT_EQ(state.Zoom, 1.5f);
  EXPECT_FALSE(state.Shaded);
  ResetViewAngles(state);
  EXPECT_EQ(TargetAngles(state), kStartObserver);
  EXPECT_EQ(state.SunVertical, kStartSun.vertical);
}

}  // namespace
}  // namespace orvandel
