// Long runs with the memory watched: ten thousand auto-rotation frames
// through every 3D mode and both view arrangements, and five hundred
// calculate/delete cycles. The resident size must stay flat.
#include <unistd.h>

#include <QTreeWidget>
#include <fstream>

#include "AppTestSupport.h"

using namespace wltest;

namespace {

#if defined(__SANITIZE_ADDRESS__)
#include <cstddef>

// GCC ships no header for the allocator interface; libasan has the function.
extern "C" size_t __sanitizer_get_current_allocated_bytes();

// Under AddressSanitizer freed blocks wait in a quarantine of up to 256 MB
// before reuse, so the resident size swings by tens of megabytes from one
// frame to the next. The allocator's count of live bytes is the steady
// measure there.
long MemoryInUseKb() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }
#else
// Resident size of this process in kilobytes.
long MemoryInUseKb() {
  long pages = 0, resident = 0;
  std::ifstream statm("/proc/self/statm");
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}
#endif

class Soak : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    wl::SetSeedHook(13);
    w = &Started();
  }
  wl::frmMain* w = nullptr;
};

TEST_F(Soak, TenThousandRotationFramesKeepMemoryFlat) {
  ASSERT_TRUE(w->Calculate(9, 18, 30, 0));  // 3Dz²
  wl::OrbitalView& v = w->OrbitalViews[static_cast<size_t>(w->CurrentOrbital)];
  long afterWarmUp = 0;
  for (int frame = 0; frame < 10000; ++frame) {
    if (frame % 1250 == 0) {
      v.Mode = static_cast<wl::RenderMode>((frame / 1250) % 4);
      v.Swapped = static_cast<wl::Byte>((frame / 5000) % 2);
    }
    ASSERT_TRUE(w->AutoRotateStep()) << "frame " << frame;
    if (frame == 500) afterWarmUp = MemoryInUseKb();
  }
  const long atEnd = MemoryInUseKb();
  EXPECT_LE(atEnd, afterWarmUp * 105 / 100)
      << afterWarmUp << " kB after 500 frames, " << atEnd << " kB after 10000";
  EXPECT_TRUE(messages->asked.empty());
}

TEST_F(Soak, FiveHundredCalculationsAndDeletionsLeaveNothingBehind) {
  messages->answers.assign(500, wl::MsgAnswer::Yes);
  long afterWarmUp = 0;
  for (int cycle = 0; cycle < 500; ++cycle) {
    ASSERT_TRUE(w->Calculate(static_cast<wl::Integer>(cycle % 5), 4, 40, cycle % 2));
    ASSERT_EQ(w->CurrentOrbital, 0);
    w->DeleteOrbital(0);
    if (cycle == 50) afterWarmUp = MemoryInUseKb();
  }
  const long atEnd = MemoryInUseKb();
  EXPECT_LE(atEnd, afterWarmUp * 105 / 100)
      << afterWarmUp << " kB after 50 cycles, " << atEnd << " kB after 500";
  EXPECT_TRUE(w->Engine.Orbitals().IsEmpty(0));
  EXPECT_EQ(w->Node(QStringLiteral("ORB0")), nullptr);
  EXPECT_EQ(w->Node(QStringLiteral("Orbitals"))->childCount(), 0);
  EXPECT_LE(w->History.History.size(), 3u);
}

}  // namespace
