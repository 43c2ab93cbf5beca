#include "views/history_ring.h"

#include <gtest/gtest.h>

#include <vector>

namespace lexiv {
namespace {

TEST(HistoryRingTest, AnEmptyRingGoesNowhere) {
  HistoryRing ring;
  EXPECT_FALSE(ring.CanGoBack());
  EXPECT_FALSE(ring.CanGoForward());
  EXPECT_EQ(ring.Back(), -1);
  EXPECT_EQ(ring.Forward(), -1);
}

TEST(HistoryRingTest, TheSameEntryTwiceIsStoredOnce) {
  HistoryRing ring;
  ring.Push(7);
  ring.Push(7);
  EXPECT_FALSE(ring.CanGoBack());
  ring.Push(8);
  ring.Push(8);
  EXPECT_EQ(ring.Back(), 7);
  EXPECT_FALSE(ring.CanGoBack());
}

TEST(HistoryRingTest, AfterTwentyOneEntriesTheOldestIsGone) {
  HistoryRing ring;
  for (int i = 1; i <= 21; ++i) ring.Push(i * 10);
  // 19 steps back reach the second entry shown, across the wrap-around.
  for (int step = 1; step <= 19; ++step) EXPECT_EQ(ring.Back(), (21 - step) * 10) << step;
  EXPECT_FALSE(ring.CanGoBack());
  EXPECT_EQ(ring.Back(), -1);
  EXPECT_EQ(ring.lastMove(), HistoryRing::kMovedBack);
  for (int step = 1; step <= 19; ++step) EXPECT_EQ(ring.Forward(), (2 + step) * 10) << step;
  EXPECT_FALSE(ring.CanGoForward());
}

TEST(HistoryRingTest, ShowingAnEntryAfterGoingBackDropsTheNewerOnes) {
  HistoryRing ring;
  for (int i = 1; i <= 4; ++i) ring.Push(i);
  ring.Back();
  ring.Back();
  ring.Push(9);
  EXPECT_FALSE(ring.CanGoForward());
  EXPECT_EQ(ring.lastMove(), HistoryRing::kNoMove);
  EXPECT_EQ(ring.Back(), 2);
  EXPECT_EQ(ring.Back(), 1);
}


// Each case runs its operations on a fresh ring: a positive number pushes that position, 'B' goes
// back, 'F' forward; then the slots and the last move are compared.
TEST(HistoryRingTest, OperationsMoveTheSlotsAsTabled) {
  struct Case {
    const char* name;
    std::vector<int> operations;
    int oldest, current, newest, lastMove;
    std::int32_t lastResult;  // of the last Back or Forward; 0 when the case ends with a push
  };
  constexpr int B = -1;
  constexpr int F = -2;
  std::vector<int> twentyTwo;
  for (int i = 1; i <= 22; ++i) twentyTwo.push_back(i);
  std::vector<int> wrapThenBack = twentyTwo;  // newest in slot 1, oldest in slot 2
  wrapThenBack.insert(wrapThenBack.end(), {B, B});
  std::vector<int> wrapBackAcross = wrapThenBack;
  wrapBackAcross.push_back(B);  // from slot 0 to the last slot
  const Case cases[] = {
      {"first push", {5}, 0, 0, 0, HistoryRing::kNoMove, 0},
      {"same entry twice", {5, 5}, 0, 0, 0, HistoryRing::kNoMove, 0},
      {"same as newest after going back", {5, 6, B, 6}, 0, 0, 1, HistoryRing::kMovedBack, 0},
      {"push after going back drops the newer", {1, 2, 3, B, B, 9}, 0, 1, 1, HistoryRing::kNoMove, 0},
      {"forward after back", {1, 2, 3, B, F}, 0, 2, 2, HistoryRing::kMovedForward, 3},
      {"forward at the newest", {1, 2, F}, 0, 1, 1, HistoryRing::kNoMove, -1},
      {"back at the oldest", {1, B}, 0, 0, 0, HistoryRing::kNoMove, -1},
      {"full ring overwrites the oldest", twentyTwo, 2, 1, 1, HistoryRing::kNoMove, 0},
      {"back from slot 1 to slot 0", wrapThenBack, 2, 19, 1, HistoryRing::kMovedBack, 20},
      {"back across the wrap-around", wrapBackAcross, 2, 18, 1, HistoryRing::kMovedBack, 19},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HistoryRing ring;
    std::int32_t result = 0;
    for (int op : c.operations) {
      if (op == B)
        result = ring.Back();
      else if (op == F)
        result = ring.Forward();
      else {
        ring.Push(op);
        result = 0;
      }
    }
    EXPECT_EQ(ring.oldest(), c.oldest);
    EXPECT_EQ(ring.current(), c.current);
    EXPECT_EQ(ring.newest(), c.newest);
    EXPECT_EQ(ring.lastMove(), c.lastMove);
    EXPECT_EQ(result, c.lastResult);
  }
}

}  // namespace
}  // namespace lexiv
