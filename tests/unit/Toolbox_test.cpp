// The integer list of window handles and the program-wide timeout.
#include "toolbox/Timeout.h"
#include "toolbox/WindowList.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

TEST(TIntegerList, AddReturnsTheIndexAndGetTheValue) {
  TIntegerList list;
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Add(70), 0);
  EXPECT_EQ(list.Add(-5), 1);
  EXPECT_EQ(list.Add(INT32_MIN), 2);
  EXPECT_EQ(list.Add(70), 3);  // duplicates stay
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Get(0), 70);
  EXPECT_EQ(list.Get(1), -5);
  EXPECT_EQ(list.Get(2), INT32_MIN);
  EXPECT_EQ(list.Get(3), 70);
}

TEST(TIntegerList, GetOutsideTheListThrowsTheIndexError) {
  TIntegerList list;
  list.Add(1);
  list.Add(2);
  for (const int index : {-1, 2, 3, INT32_MIN, INT32_MAX}) {
    try {
      list.Get(index);
      ADD_FAILURE() << "no error for " << index;
    } catch (const ListIndexError& e) {
      EXPECT_EQ(e.Index(), index);
      EXPECT_EQ(std::string(e.what()), "リストのインデックスが範囲外です (" + std::to_string(index) + ")");
    }
  }
}

TEST(TIntegerList, ClearEmptiesTheListAndIndexesStartAgain) {
  TIntegerList list;
  list.Add(1);
  list.Add(2);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_THROW(list.Get(0), ListIndexError);
  EXPECT_EQ(list.Add(9), 0);
  EXPECT_EQ(list.Get(0), 9);
}

// The timeout against a clock the test sets.
class TimeoutTest : public ::testing::Test {
 protected:
  static inline std::uint32_t now = 0;
  static std::uint32_t FakeClock() { return now; }
  void SetUp() override { previous_ = SetTimeoutClock(FakeClock); }
  void TearDown() override { SetTimeoutClock(previous_); }

 private:
  MillisecondClock previous_ = nullptr;
};

TEST_F(TimeoutTest, TimesOutOnlyWhenStrictlyMoreThanTheDurationHasPassed) {
  struct Case { std::uint32_t start; std::uint32_t duration; std::uint32_t elapsed; bool timedOut; };
  const Case cases[] = {
      {1000, 0, 0, false},                   // right after a start with 0
      {1000, 0, 1, true},
      {1000, 500, 499, false},
      {1000, 500, 500, false},               // equal is not more
      {1000, 500, 501, true},
      {0xFFFFFF00u, 0x200, 0x1FF, false},    // the counter wraps in between
      {0xFFFFFF00u, 0x200, 0x200, false},
      {0xFFFFFF00u, 0x200, 0x201, true},
      {0xFFFFFFFFu, 0, 1, true},             // now is 0
      {0xFFFFFFFFu, 10, 11, true},
      {5, 0xFFFFFFFFu, 0xFFFFFFFFu, false},  // the longest duration never ends
      {5, 0xFFFFFFFEu, 0xFFFFFFFFu, true},
  };
  for (const Case& c : cases) {
    now = c.start;
    StartTimeout(c.duration);
    now = c.start + c.elapsed;  // wraps modulo 2^32
    EXPECT_EQ(TimedOut(), c.timedOut) << c.start << " + " << c.elapsed << " against " << c.duration;
  }
}

TEST_F(TimeoutTest, ANewStartReplacesTheTimeoutBeingPolled) {
  now = 100;
  StartTimeout(1000);
  now = 600;
  EXPECT_FALSE(TimedOut());
  StartTimeout(100);  // nested: the outer timeout is gone
  now = 701;
  EXPECT_TRUE(TimedOut());
  StartTimeout(5000);
  now = 1000;
  EXPECT_FALSE(TimedOut());
}

TEST_F(TimeoutTest, TimedOutDoesNotChangeTheStart) {
  now = 50;
  StartTimeout(10);
  for (std::uint32_t t = 50; t <= 60; ++t) {
    now = t;
    EXPECT_FALSE(TimedOut()) << t;
  }
  now = 61;
  EXPECT_TRUE(TimedOut());
  EXPECT_TRUE(TimedOut());
}

TEST_F(TimeoutTest, ANullClockRestoresTheSystemCounter) {
  EXPECT_EQ(SetTimeoutClock(nullptr), &FakeClock);
  EXPECT_EQ(SetTimeoutClock(FakeClock), &SystemMilliseconds);
}

}  // namespace
