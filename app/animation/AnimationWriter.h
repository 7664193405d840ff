// Animated pictures written one frame at a time: an animated GIF (giflib, a
// palette made for each frame) or an MP4 video (H.264 in yuv420p through
// FFmpeg's libraries). Frames come as 32-bit pixels; the file appears under
// its name only once it is complete, so an abandoned or failed animation
// leaves nothing behind. Not thread-safe: one writer is used by one thread.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "wlanimation_export.h"

namespace wl::anim {

enum class AnimationFormat { Gif, Mp4 };

// One frame: Width by Height pixels of four bytes, blue, green, red and an
// ignored fourth (the layout of the engine's surfaces, and of Qt's RGB32
// images on little-endian machines). Row y starts at Pixels + y * Stride.
struct FrameView {
  const std::uint8_t* Pixels = nullptr;
  int Width = 0;
  int Height = 0;
  int Stride = 0;  // bytes from one row to the next
};

// The colour of the pixel at `p` as 0x00RRGGBB.
inline std::uint32_t PixelRgb(const std::uint8_t* p) {
  return std::uint32_t{p[2]} << 16 | std::uint32_t{p[1]} << 8 | p[0];
}

// What went wrong while writing, in words for the user.
struct WLANIMATION_EXPORT AnimationError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Whether this build writes the format (its library was found when it was
// built), and, when it does not, a sentence saying so.
WLANIMATION_EXPORT bool FormatAvailable(AnimationFormat format);
WLANIMATION_EXPORT std::string FormatMissing(AnimationFormat format);
// The format a file name's extension names (.gif, .mp4, any case); none for
// other names.
WLANIMATION_EXPORT std::optional<AnimationFormat> FormatOfFile(const std::string& path);
// "GIF" or "MP4".
WLANIMATION_EXPORT const char* FormatName(AnimationFormat format);

// The delay between frames, hundredths of a second, for an animation of
// `frames` frames: a whole turn or sweep lasts about six seconds, never
// faster than 50 frames a second (players slow shorter GIF delays down) nor
// slower than 2 frames a second.
WLANIMATION_EXPORT int FrameDelay(int frames);

class WLANIMATION_EXPORT AnimationWriter {
 public:
  // A writer of `format` to `path` whose frames follow each other every
  // `delay` hundredths of a second (1 to 655) and repeat forever where the
  // format allows. Raises AnimationError when the format is unavailable or
  // the folder cannot take the file.
  static std::unique_ptr<AnimationWriter> Open(AnimationFormat format, const std::string& path,
                                               int delay);
  // Without Finish, nothing stays: the partial file is removed.
  virtual ~AnimationWriter();
  AnimationWriter(const AnimationWriter&) = delete;
  AnimationWriter& operator=(const AnimationWriter&) = delete;

  // Adds a frame. The first frame sets the size (1 to 8192 a side); later
  // frames must have it too. Raises AnimationError.
  void Add(const FrameView& frame);
  // Completes the file and gives it its name (replacing a file of that name).
  // Needs at least one frame. Raises AnimationError; the writer is then done.
  void Finish();
  int Frames() const { return frames_; }

 protected:
  AnimationWriter(std::string path, int delay);
  // The encoder's part: open the temporary file for frames of this size,
  // write one frame, complete the file. Each raises AnimationError.
  virtual void Begin(int width, int height) = 0;
  virtual void Write(const FrameView& frame) = 0;
  virtual void End() = 0;
  // An encoder's destructor frees what it holds (closing the temporary file);
  // this class's destructor then removes the file unless it was finished.

  const std::string& TempPath() const { return temp_; }
  int Delay() const { return delay_; }

 private:
  std::string path_, temp_;
  int delay_;
  int frames_ = 0;
  int width_ = 0, height_ = 0;
  bool finished_ = false;
};

}  // namespace wl::anim
