// Animated GIF through giflib: GIF89a, looping forever, each frame with its
// own palette (see Palette.h) and the same delay.
#include <gif_lib.h>

#include <array>
#include <cstring>

#include "AnimationWriter.h"
#include "Palette.h"

namespace wl::anim {

namespace {

std::string GifProblem(int code) {
  const char* text = GifErrorString(code);
  return text ? text : "unknown giflib error";
}

class GifWriter final : public AnimationWriter {
 public:
  GifWriter(const std::string& path, int delay) : AnimationWriter(path, delay) {}
  ~GifWriter() override { Close(); }

 protected:
  void Begin(int width, int height) override {
    int error = 0;
    gif_ = EGifOpenFileName(TempPath().c_str(), false, &error);
    if (!gif_) throw AnimationError("cannot write the GIF: " + GifProblem(error));
    EGifSetGifVersion(gif_, true);
    // No global palette: every frame brings its own.
    Check(EGifPutScreenDesc(gif_, width, height, 8, 0, nullptr));
    // The application extension that makes viewers play the frames forever.
    static const char kLoopApp[] = "NETSCAPE2.0";
    const unsigned char loop[3] = {1, 0, 0};
    Check(EGifPutExtensionLeader(gif_, APPLICATION_EXT_FUNC_CODE));
    Check(EGifPutExtensionBlock(gif_, 11, kLoopApp));
    Check(EGifPutExtensionBlock(gif_, 3, loop));
    Check(EGifPutExtensionTrailer(gif_));
  }

  void Write(const FrameView& frame) override {
    const IndexedFrame indexed = IndexFrame(frame);
    GraphicsControlBlock control{};
    control.DisposalMode = DISPOSE_DO_NOT;
    control.UserInputFlag = false;
    control.DelayTime = Delay();
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    Check(EGifPutExtension(gif_, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension));

    // A colour table holds a power of two entries, at least two.
    int entries = 2;
    while (entries < static_cast<int>(indexed.Colours.size())) entries *= 2;
    std::array<GifColorType, 256> colours{};
    for (size_t i = 0; i < indexed.Colours.size(); ++i) {
      const std::uint32_t c = indexed.Colours[i];
      colours[i] = {static_cast<GifByteType>(c >> 16 & 255), static_cast<GifByteType>(c >> 8 & 255),
                    static_cast<GifByteType>(c & 255)};
    }
    ColorMapObject* map = GifMakeMapObject(entries, colours.data());
    if (!map) throw AnimationError("out of memory for a GIF palette");
    const int described = EGifPutImageDesc(gif_, 0, 0, frame.Width, frame.Height, false, map);
    GifFreeMapObject(map);
    Check(described);
    std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
    for (int y = 0; y < frame.Height; ++y) {
      std::memcpy(line.data(), indexed.Indices.data() + static_cast<size_t>(y) * frame.Width,
                  line.size());
      Check(EGifPutLine(gif_, line.data(), frame.Width));
    }
  }

  void End() override {
    int error = 0;
    GifFileType* gif = gif_;
    gif_ = nullptr;
    if (EGifCloseFile(gif, &error) != GIF_OK) {
      throw AnimationError("cannot complete the GIF: " + GifProblem(error));
    }
  }

 private:
  void Check(int result) {
    if (result != GIF_OK) throw AnimationError("cannot write the GIF: " + GifProblem(gif_->Error));
  }
  void Close() {
    if (!gif_) return;
    int error = 0;
    EGifCloseFile(gif_, &error);
    gif_ = nullptr;
  }

  GifFileType* gif_ = nullptr;
};

}  // namespace

std::unique_ptr<AnimationWriter> MakeGifWriter(const std::string& path, int delay) {
  return std::make_unique<GifWriter>(path, delay);
}

}  // namespace wl::anim
