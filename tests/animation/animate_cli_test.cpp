// wavelore-render animate: the files it writes, read back, its progress line
// and its refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "../engine/ToolRunner.h"
#include "ReadBack.h"
#include "animation/AnimationWriter.h"

namespace {

namespace fs = std::filesystem;

class AnimateCli : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) / "wl_animate_cli";
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  wltest::ToolResult Animate(std::vector<std::string> args) {
    args.insert(args.begin(), "animate");
    return wltest::RunProgram(WL_RENDER_EXE, args);
  }
  bool Empty() const { return fs::is_empty(dir); }
  fs::path dir;
};

// How many pixels differ between two frames.
int Differing(const std::vector<std::uint32_t>& a, const std::vector<std::uint32_t>& b) {
  int n = 0;
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) n += a[i] != b[i];
  return n;
}

TEST_F(AnimateCli, ATurnAsGifHasItsFramesDelaysAndProgress) {
  const std::string out = (dir / "turn.gif").string();
  const auto r = Animate({"--orbital", "3Dz2", "--seed", "7", "--theta", "0.5", "--frames", "12",
                          "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.err.find("frame 12 of 12"), std::string::npos) << r.err;
  const wltest::GifRead gif = wltest::ReadGif(out);
  EXPECT_EQ(gif.width, 375);
  EXPECT_EQ(gif.height, 375);
  ASSERT_EQ(gif.frames, 12);
  EXPECT_TRUE(gif.loops);
  for (int d : gif.delays) EXPECT_EQ(d, 50);
  // The picture turns: every frame differs from the one before, and half a
  // turn is far from the start.
  for (size_t i = 1; i < 12; ++i) EXPECT_GT(Differing(gif.rgb[i - 1], gif.rgb[i]), 500) << i;
  EXPECT_GT(Differing(gif.rgb[0], gif.rgb[6]), 2000);
  // The dot picture has few colours: the first frame is the render's own.
  const std::string still = (dir / "still.bmp").string();
  ASSERT_EQ(wltest::RunProgram(WL_RENDER_EXE, {"render", "--orbital", "3Dz2", "--seed", "7",
                                               "--theta", "0.5", "-o", still})
                .status,
            0);
  const std::string bmp = wltest::Slurp(still);
  ASSERT_GT(bmp.size(), 54u + 375u * 375u * 3u);
  // A bottom-up 24-bit bitmap with rows padded to four bytes (375 * 3 + 1).
  std::uint32_t pixelsAt = 0;  // the header's field sits at byte 10, unaligned
  std::memcpy(&pixelsAt, bmp.data() + 10, sizeof pixelsAt);
  const size_t offset = pixelsAt;
  const size_t rowBytes = (375 * 3 + 3) / 4 * 4;
  int wrong = 0;
  for (int y = 0; y < 375; ++y)
    for (int x = 0; x < 375; ++x) {
      const auto* p = reinterpret_cast<const unsigned char*>(bmp.data() + offset +
                                                             (374 - y) * rowBytes + x * 3);
      const std::uint32_t rgb = std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
      wrong += gif.rgb[0][static_cast<size_t>(y * 375 + x)] != rgb;
    }
  EXPECT_EQ(wrong, 0);
}

TEST_F(AnimateCli, ASweepOfTheSliceAsMp4) {
  const std::string out = (dir / "sweep.mp4").string();
  const auto r = Animate({"--orbital", "2Pz", "--seed", "1", "--kind", "sweep", "--frames", "10",
                          "--transect-dir", "z", "-o", out});
  ASSERT_EQ(r.status, 0) << r.err;
  const wltest::Mp4Read video = wltest::ReadMp4(out);
  EXPECT_EQ(video.codec, AV_CODEC_ID_H264);
  EXPECT_EQ(video.width, 376);
  EXPECT_EQ(video.height, 376);
  ASSERT_EQ(video.frames, 10);
  // The slices at the edges hold (almost) nothing; the middle ones the lobes.
  const auto brightness = [&](int k) {
    double sum = 0;
    for (std::uint8_t v : video.luma[static_cast<size_t>(k)]) sum += v;
    return sum / static_cast<double>(video.luma[static_cast<size_t>(k)].size());
  };
  EXPECT_GT(brightness(3), brightness(0) + 2);
  EXPECT_GT(brightness(6), brightness(9) + 2);
}

TEST_F(AnimateCli, RefusesBadRequestsAndWritesNothing) {
  const std::string gif = (dir / "a.gif").string();
  struct Case {
    std::vector<std::string> args;
    const char* says;
  };
  const std::vector<Case> cases = {
      {{"--orbital", "2Pz", "--mode", "transect", "-o", gif}, "a slice does not turn"},
      {{"--orbital", "2Pz", "--format", "webm", "-o", gif}, "--format must be gif|mp4"},
      {{"--orbital", "2Pz", "--format", "mp4", "-o", gif}, "names a GIF file"},
      {{"--orbital", "2Pz", "-o", (dir / "a.png").string()}, ".gif or .mp4"},
      {{"--orbital", "2Pz", "--frames", "1", "-o", gif}, "--frames"},
      {{"--orbital", "2Pz", "--size", "5000", "-o", gif}, "--size"},
      {{"--orbital", "2Pz", "--kind", "spin", "-o", gif}, "--kind must be turn|sweep"},
      {{"--orbital", "2Pz"}, "-o FILE is required"},
      {{"--orbital", "2Pz", "-o", (dir / "missing" / "a.gif").string()}, "cannot write in"},
  };
  for (const Case& c : cases) {
    const auto r = Animate(c.args);
    EXPECT_NE(r.status, 0) << c.says;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    EXPECT_TRUE(Empty()) << c.says;
  }
}

}  // namespace
