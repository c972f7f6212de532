// The line and column indicator's judgement of which end of the selection
// the caret is on.
#include "shell/caret_tracker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvex::shell {
namespace {

struct Step {
  std::int32_t start, end;
  std::int32_t caret;
};
struct TrackerCase {
  const char* name;
  std::vector<Step> steps;
};

void PrintTo(const TrackerCase& c, std::ostream* out) {
  *out << c.name;
}

class CaretTrackerTest : public ::testing::TestWithParam<TrackerCase> {};

TEST_P(CaretTrackerTest, JudgesTheCaretsEnd) {
  CaretTracker tracker;
  for (const Step& step : GetParam().steps) {
    EXPECT_EQ(tracker.Update(step.start, step.end), step.caret)
        << "selection " << step.start << ".." << step.end;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CaretTrackerTest,
    ::testing::Values(
        TrackerCase{"FirstLook", {{0, 0, 0}}},
        TrackerCase{"OnlyTheEndMoves", {{10, 10, 10}, {10, 12, 12}, {10, 15, 15}}},
        TrackerCase{"StartMovesAwayFromFixedEnd", {{10, 10, 10}, {8, 10, 8}, {5, 10, 5}}},
        TrackerCase{"NothingMovedKeepsTheJudgement", {{10, 10, 10}, {5, 10, 5}, {5, 10, 5}}},
        TrackerCase{"CrossingTheAnchorBackwards", {{10, 12, 12}, {8, 10, 8}}},
        TrackerCase{"BothEndsMoved", {{10, 10, 10}, {5, 10, 5}, {20, 30, 30}}},
        TrackerCase{"BackToTheEnd", {{10, 10, 10}, {5, 10, 5}, {5, 11, 11}}}),
    [](const ::testing::TestParamInfo<TrackerCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvex::shell
