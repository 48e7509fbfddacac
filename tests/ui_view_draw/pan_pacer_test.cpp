// The pace of panning: whole passes by the clock, the rest of a pass kept, a stall not jumped,
// the clock's wrap crossed; the speed by the pointer's distance.
#include <UIPanPacer.h>
#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(PanPacer, PassesFollowTheClockNotTheTicks) {
  const struct {
    const char* what;
    DWORD start;
    std::vector<DWORD> calls;        // the clock at each tick
    std::vector<unsigned> passes;    // the passes each tick answers
  } cases[] = {
      {"ticks on time", 1000, {1015, 1030, 1045}, {1, 1, 1}},
      {"a tick early, the next catches up", 1000, {1014, 1030}, {0, 2}},
      {"the rest of a pass is kept", 1000, {1020, 1030, 1045}, {1, 1, 1}},
      {"a late tick does the passes it missed", 1000, {1045}, {3}},
      {"a stall moves at most four passes and restarts the clock", 1000, {3000, 3010, 3015}, {4, 0, 1}},
      {"no time, no pass", 1000, {1000, 1000}, {0, 0}},
      {"across the clock's wrap", 0xFFFFFFF0u, {0xFFFFFFFFu, 0x0000000Eu}, {1, 1}},
  };
  for (const auto& c : cases) {
    CPanPacer pacer(c.start);
    std::vector<unsigned> got;
    for (DWORD now : c.calls) got.push_back(pacer.PassesDue(now));
    EXPECT_EQ(got, c.passes) << c.what;
  }
}

TEST(PanPacer, SpeedByTheDistanceFromTheAnchor) {
  const struct {
    int distance, speed;
  } cases[] = {{0, 0}, {4, 0}, {-4, 0}, {5, 1}, {-5, -1}, {10, 1}, {-10, -1}, {11, 5}, {20, 10}, {-21, -10}, {300, 150}};
  for (const auto& c : cases) EXPECT_EQ(CPanPacer::Speed(c.distance), c.speed) << c.distance;
}

}  // namespace
