#include "engine/scramble.h"

#include <gtest/gtest.h>

namespace lexiv {
namespace {

TEST(Scramble, StoredBytesOfAbcDescrambleToAbc) {
  const unsigned char stored[] = {0xC1, 0xC4, 0xC5};
  EXPECT_EQ(DescrambleByte(stored[0]), 'a');
  EXPECT_EQ(DescrambleByte(stored[1]), 'b');
  EXPECT_EQ(DescrambleByte(stored[2]), 'c');
}

TEST(Scramble, IsABijectionThatKeepsOnlyZeroAtZero) {
  for (int t = 0; t < 256; ++t) {
    unsigned char s = ScrambleByte(static_cast<unsigned char>(t));
    EXPECT_EQ(DescrambleByte(s), t);
    EXPECT_EQ(s == 0, t == 0) << t;
  }
}

}  // namespace
}  // namespace lexiv
