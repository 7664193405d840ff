// The writer's common part: the temporary file beside the target, frame
// sizes, and the formats this build knows.
#include "AnimationWriter.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace wl::anim {

std::unique_ptr<AnimationWriter> MakeGifWriter(const std::string& path, int delay);
std::unique_ptr<AnimationWriter> MakeMp4Writer(const std::string& path, int delay);

#ifndef WL_HAVE_GIF
std::unique_ptr<AnimationWriter> MakeGifWriter(const std::string&, int) {
  throw AnimationError(FormatMissing(AnimationFormat::Gif));
}
#endif
#ifndef WL_HAVE_MP4
std::unique_ptr<AnimationWriter> MakeMp4Writer(const std::string&, int) {
  throw AnimationError(FormatMissing(AnimationFormat::Mp4));
}
#endif

namespace {
constexpr int kMaxSide = 8192;
constexpr double kSecondsPerAnimation = 6.0;
}  // namespace

bool FormatAvailable(AnimationFormat format) {
#ifdef WL_HAVE_GIF
  if (format == AnimationFormat::Gif) return true;
#endif
#ifdef WL_HAVE_MP4
  if (format == AnimationFormat::Mp4) return true;
#endif
  (void)format;
  return false;
}

std::string FormatMissing(AnimationFormat format) {
  if (FormatAvailable(format)) return {};
  return format == AnimationFormat::Gif
             ? "This Wavelore was built without giflib, so it cannot write animated GIFs."
             : "This Wavelore was built without FFmpeg's libraries, so it cannot write MP4 videos.";
}

std::optional<AnimationFormat> FormatOfFile(const std::string& path) {
  const auto dot = path.rfind('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return std::nullopt;
  std::string ext = path.substr(dot + 1);
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext == "gif") return AnimationFormat::Gif;
  if (ext == "mp4") return AnimationFormat::Mp4;
  return std::nullopt;
}

const char* FormatName(AnimationFormat format) {
  return format == AnimationFormat::Gif ? "GIF" : "MP4";
}

int FrameDelay(int frames) {
  if (frames < 1) frames = 1;
  const long delay = std::lround(kSecondsPerAnimation * 100.0 / frames);
  return static_cast<int>(std::clamp(delay, 2L, 50L));
}

std::unique_ptr<AnimationWriter> AnimationWriter::Open(AnimationFormat format,
                                                       const std::string& path, int delay) {
  if (!FormatAvailable(format)) throw AnimationError(FormatMissing(format));
  if (delay < 1 || delay > 655) throw AnimationError("the frame delay must be 1 to 655 hundredths");
  return format == AnimationFormat::Gif ? MakeGifWriter(path, delay) : MakeMp4Writer(path, delay);
}

AnimationWriter::AnimationWriter(std::string path, int delay)
    : path_(std::move(path)), delay_(delay) {
  // The frames go to a hidden file in the target's folder, which takes the
  // target's name in one step when the animation is complete.
  const std::filesystem::path target(path_);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  std::string hidden = ".";
  hidden.append(target.filename().string()).append(".XXXXXX");
  std::string pattern = (folder / hidden).string();
  const int fd = mkstemp(pattern.data());
  if (fd < 0) {
    throw AnimationError("cannot write in " + folder.string() + ": " + std::strerror(errno));
  }
  // Readable as any new file of the user's would be, not only by the user.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  close(fd);
  temp_ = pattern;
}

AnimationWriter::~AnimationWriter() {
  if (!finished_ && !temp_.empty()) std::remove(temp_.c_str());
}

void AnimationWriter::Add(const FrameView& frame) {
  if (finished_) throw AnimationError("the animation is already complete");
  if (!frame.Pixels || frame.Width < 1 || frame.Height < 1 || frame.Width > kMaxSide ||
      frame.Height > kMaxSide || frame.Stride < 4 * frame.Width) {
    throw AnimationError("a frame must be 1 to 8192 pixels a side");
  }
  if (frames_ == 0) {
    Begin(frame.Width, frame.Height);
    width_ = frame.Width;
    height_ = frame.Height;
  } else if (frame.Width != width_ || frame.Height != height_) {
    throw AnimationError("every frame must be " + std::to_string(width_) + " by " +
                         std::to_string(height_) + " pixels, like the first");
  }
  Write(frame);
  ++frames_;
}

void AnimationWriter::Finish() {
  if (finished_) return;
  if (frames_ == 0) throw AnimationError("an animation needs at least one frame");
  End();
  if (std::rename(temp_.c_str(), path_.c_str()) != 0) {
    throw AnimationError("cannot name the file " + path_ + ": " + std::strerror(errno));
  }
  finished_ = true;
}

}  // namespace wl::anim
