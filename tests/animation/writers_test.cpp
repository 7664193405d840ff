// The animation writers: what giflib and FFmpeg read back from their files,
// palettes, abandoned files, refusals, and the frames of a turn and a sweep.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>

#include "ReadBack.h"
#include "animation/AnimationPlan.h"
#include "animation/AnimationWriter.h"
#include "animation/Palette.h"

namespace {

using namespace wl::anim;
namespace fs = std::filesystem;

// A picture of 4-byte pixels (blue, green, red, unused), row by row.
struct Picture {
  int width, height;
  std::vector<std::uint8_t> bytes;
  Picture(int w, int h) : width(w), height(h), bytes(static_cast<size_t>(w) * h * 4, 0) {}
  void Set(int x, int y, std::uint32_t rgb) {
    std::uint8_t* p = bytes.data() + (static_cast<size_t>(y) * width + x) * 4;
    p[0] = rgb & 255;
    p[1] = rgb >> 8 & 255;
    p[2] = rgb >> 16 & 255;
    p[3] = 0x5A;  // ignored
  }
  std::uint32_t Get(int x, int y) const {
    return PixelRgb(bytes.data() + (static_cast<size_t>(y) * width + x) * 4);
  }
  FrameView View() const { return {bytes.data(), width, height, width * 4}; }
};

// Frame k: a square of side 8 at x = 4k on a dark blue ground, its colour
// changing with k.
Picture MovingSquare(int w, int h, int k, std::uint32_t ground = 0x000020) {
  Picture p(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool in = x >= 4 * k && x < 4 * k + 8 && y >= 4 && y < 12;
      p.Set(x, y, in ? 0xFFFFFF - static_cast<std::uint32_t>(k) * 0x010203 : ground);
    }
  return p;
}

class WriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::path(::testing::TempDir()) /
          ("wl_anim_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    return names;
  }
  fs::path dir;
};

TEST_F(WriterTest, GifFramesDelaysLoopAndColoursReadBack) {
  const std::string path = (dir / "square.gif").string();
  const int frames = 15;
  {
    auto writer = AnimationWriter::Open(AnimationFormat::Gif, path, FrameDelay(frames));
    for (int k = 0; k < frames; ++k) writer->Add(MovingSquare(65, 21, k).View());
    // Nothing under the name until the animation is complete.
    EXPECT_FALSE(fs::exists(path));
    writer->Finish();
  }
  const wltest::GifRead gif = wltest::ReadGif(path);
  EXPECT_EQ(gif.width, 65);
  EXPECT_EQ(gif.height, 21);
  ASSERT_EQ(gif.frames, frames);
  EXPECT_TRUE(gif.loops);
  EXPECT_EQ(FrameDelay(frames), 40);  // six seconds over fifteen frames
  for (int k = 0; k < frames; ++k) {
    EXPECT_EQ(gif.delays[static_cast<size_t>(k)], 40) << "frame " << k;
    // Few colours: every pixel exactly as drawn, frames in order.
    const Picture want = MovingSquare(65, 21, k);
    int wrong = 0;
    for (int y = 0; y < 21; ++y)
      for (int x = 0; x < 65; ++x)
        wrong += gif.rgb[static_cast<size_t>(k)][static_cast<size_t>(y * 65 + x)] != want.Get(x, y);
    EXPECT_EQ(wrong, 0) << "frame " << k;
  }
  EXPECT_EQ(Files(), std::vector<std::string>{"square.gif"});
}

TEST_F(WriterTest, ManyColoursGetAMedianCutPaletteCloseToThePicture) {
  // 4096 colours: a smooth field like a volume picture's.
  Picture p(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      p.Set(x, y, static_cast<std::uint32_t>(x * 4) << 16 | static_cast<std::uint32_t>(y * 4) << 8 |
                      static_cast<std::uint32_t>((x + y) * 2));
  const IndexedFrame indexed = IndexFrame(p.View());
  EXPECT_FALSE(indexed.Exact);
  EXPECT_EQ(indexed.Colours.size(), 256u);
  double total = 0;
  int worst = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const std::uint32_t got = indexed.Colours[indexed.Indices[static_cast<size_t>(y * 64 + x)]];
      const std::uint32_t want = p.Get(x, y);
      for (int shift : {0, 8, 16}) {
        const int d = std::abs(static_cast<int>(got >> shift & 255) -
                               static_cast<int>(want >> shift & 255));
        worst = std::max(worst, d);
        total += d;
      }
    }
  EXPECT_LE(worst, 24);
  EXPECT_LE(total / (64 * 64 * 3), 6.0);
  // The same frame always gives the same palette.
  EXPECT_EQ(IndexFrame(p.View()).Colours, indexed.Colours);
}

TEST_F(WriterTest, Mp4IsH264InEvenSizesWithEveryFrameInOrder) {
  const std::string path = (dir / "square.mp4").string();
  const int frames = 12;
  {
    auto writer = AnimationWriter::Open(AnimationFormat::Mp4, path, FrameDelay(frames));
    for (int k = 0; k < frames; ++k) writer->Add(MovingSquare(63, 47, k, 0).View());
    writer->Finish();
  }
  const wltest::Mp4Read video = wltest::ReadMp4(path);
  EXPECT_NE(video.container.find("mp4"), std::string::npos);
  EXPECT_EQ(video.codec, AV_CODEC_ID_H264);
  EXPECT_EQ(video.pixels, AV_PIX_FMT_YUV420P);
  EXPECT_EQ(video.width, 64);  // one column and one row more, copies of the last
  EXPECT_EQ(video.height, 48);
  EXPECT_NEAR(video.fps, 100.0 / FrameDelay(frames), 1e-6);
  EXPECT_EQ(video.packets, frames);
  ASSERT_EQ(video.frames, frames);
  for (int k = 0; k < frames; ++k) {
    const auto& y = video.luma[static_cast<size_t>(k)];
    EXPECT_GT(y[static_cast<size_t>(8 * 64 + 4 * k + 4)], 180) << "the square of frame " << k;
    EXPECT_LT(y[static_cast<size_t>(30 * 64 + (4 * k + 30) % 60)], 40) << "the ground of frame " << k;
  }
}

TEST_F(WriterTest, AnAbandonedAnimationLeavesTheOldFileAndNothingElse) {
  for (const char* name : {"old.gif", "old.mp4"}) {
    const std::string path = (dir / name).string();
    std::ofstream(path) << "the lesson's file";
    {
      auto writer = AnimationWriter::Open(*FormatOfFile(path), path, 10);
      writer->Add(MovingSquare(32, 16, 0).View());
      writer->Add(MovingSquare(32, 16, 1).View());
      EXPECT_EQ(Files().size(), 2u) << "the frames go to a file of their own";
    }
    std::ifstream in(path);
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "the lesson's file") << name;
    EXPECT_EQ(Files(), std::vector<std::string>{name});
    fs::remove(path);
  }
}

TEST_F(WriterTest, RefusesWhatItCannotWrite) {
  const std::string path = (dir / "a.gif").string();
  auto writer = AnimationWriter::Open(AnimationFormat::Gif, path, 5);
  EXPECT_THROW(writer->Finish(), AnimationError) << "no frames";
  writer->Add(MovingSquare(32, 16, 0).View());
  EXPECT_THROW(writer->Add(MovingSquare(16, 16, 0).View()), AnimationError) << "another size";
  EXPECT_THROW(writer->Add({nullptr, 32, 16, 128}), AnimationError);
  writer.reset();
  EXPECT_TRUE(Files().empty());
  EXPECT_THROW(AnimationWriter::Open(AnimationFormat::Mp4, (dir / "no/such/a.mp4").string(), 5),
               AnimationError);
  EXPECT_THROW(AnimationWriter::Open(AnimationFormat::Gif, path, 0), AnimationError);

  EXPECT_EQ(FormatOfFile("x/Turn.GIF"), AnimationFormat::Gif);
  EXPECT_EQ(FormatOfFile("turn.mp4"), AnimationFormat::Mp4);
  EXPECT_EQ(FormatOfFile("turn.png"), std::nullopt);
  EXPECT_EQ(FormatOfFile("a.gif/turn"), std::nullopt);
  EXPECT_EQ(FrameDelay(2), 50);    // never slower than two frames a second
  EXPECT_EQ(FrameDelay(120), 5);
  EXPECT_EQ(FrameDelay(1000), 2);  // nor faster than players show
}

TEST(AnimationPlan, ATurnComesBackToItsStartAndASweepCrossesThePicture) {
  wl::RenderRequest base;
  base.Mode = wl::Volumetric;
  base.Theta = 0.4;
  base.Phi = 1.0;
  base.TransectNo = 30;
  const int n = 36;
  for (int i : {0, 9, 35}) {
    const wl::RenderRequest r = FrameRequest(base, AnimationKind::Turn, i, n);
    EXPECT_NEAR(r.Phi, 1.0 + 2 * M_PI * i / n, 1e-12);
    EXPECT_EQ(r.Theta, 0.4);
    EXPECT_EQ(r.TransectNo, 30);
    EXPECT_EQ(r.VolFinal, wl::kTrue) << "finished pictures";
  }
  // The frame after the last would be the first again: no jump when it loops.
  EXPECT_NEAR(FrameRequest(base, AnimationKind::Turn, n - 1, n).Phi + 2 * M_PI / n, 1.0 + 2 * M_PI,
              1e-12);

  const wl::RenderRequest first = FrameRequest(base, AnimationKind::Sweep, 0, 10);
  EXPECT_EQ(first.TransectNo, -127);
  EXPECT_EQ(first.Transector, wl::kTrue) << "a 3D picture shows where the slice is";
  EXPECT_EQ(first.Phi, 1.0);
  EXPECT_EQ(FrameRequest(base, AnimationKind::Sweep, 9, 10).TransectNo, 127);
  base.Mode = wl::Transect;
  EXPECT_EQ(FrameRequest(base, AnimationKind::Sweep, 0, 10).Transector, wl::kFalse);
  EXPECT_FALSE(KindFitsMode(AnimationKind::Turn, wl::Transect));
  EXPECT_TRUE(KindFitsMode(AnimationKind::Sweep, wl::Transect));
}

}  // namespace
