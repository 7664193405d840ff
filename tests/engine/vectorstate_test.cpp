// The engine's entry points leave the upper halves of the vector registers
// clear, whatever the host left in them: scalar SSE code pays a heavy
// penalty on every instruction while they are in use.
#include "core/VectorState.h"

#include <gtest/gtest.h>

#include "core/cOrbitalCol.h"

#if defined(__x86_64__)
#include <cpuid.h>

#include <cstdint>

namespace {

// AVX, and XGETBV with ECX = 1 (CPUID leaf 0xD, sub-leaf 1, EAX bit 2).
bool CanReadVectorState() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  return __builtin_cpu_supports("avx") && __get_cpuid_count(0xD, 1, &a, &b, &c, &d) && (a & 4);
}

// Whether the upper halves are in use (XINUSE bit 2, read with XGETBV 1).
bool UpperInUse() {
  std::uint32_t lo = 0, hi = 0;
  asm volatile("xgetbv" : "=a"(lo), "=d"(hi) : "c"(1));
  return (lo >> 2) & 1;
}

void DirtyUpper() {
  asm volatile("vpcmpeqb %%ymm15, %%ymm15, %%ymm15" ::: "xmm15");
}

TEST(VectorState, ClearedByTheEngine) {
  if (!CanReadVectorState()) GTEST_SKIP() << "no AVX on this processor";
  DirtyUpper();
  ASSERT_TRUE(UpperInUse());
  wl::ClearUpperVectorState();
  EXPECT_FALSE(UpperInUse());

  wl::cOrbitalCol col;
  wl::OrbitalSetup s;
  s.OrbitalIndex = 0;
  s.AtomRadius = 2;
  s.DotThreshold = 30;
  s.DotTarget = 1000;
  col.Add(s);
  wl::RenderRequest r;
  r.Mode = wl::Transect;
  r.Size = wl::Nano;
  DirtyUpper();
  col.GetRender(0, r);
  EXPECT_FALSE(UpperInUse());
}

}  // namespace

#else

// Other processors have no such state; clearing it is a no-op there.
TEST(VectorState, ClearingIsHarmlessWithoutAvx) {
  wl::ClearUpperVectorState();
  SUCCEED();
}

#endif
