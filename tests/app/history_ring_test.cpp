#include "views/history_ring.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace lexiv
