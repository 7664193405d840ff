// MP4 video through FFmpeg's libraries: H.264 in yuv420p at the frame delay's
// rate. H.264's 4:2:0 colours need even sizes: an odd frame gets one more
// column or row, a copy of its last.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>
#include <vector>

#include "AnimationWriter.h"

namespace wl::anim {

namespace {

std::string AvProblem(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof text);
  return text;
}

class Mp4Writer final : public AnimationWriter {
 public:
  Mp4Writer(const std::string& path, int delay) : AnimationWriter(path, delay) {}
  ~Mp4Writer() override { Close(); }

 protected:
  void Begin(int width, int height) override {
    // The encoder's statistics are not the user's business; errors still show.
    av_log_set_level(AV_LOG_ERROR);
    width_ = width + width % 2;
    height_ = height + height % 2;
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_H264);
    if (!codec) throw AnimationError("FFmpeg on this computer has no H.264 encoder");
    Check(avformat_alloc_output_context2(&format_, nullptr, "mp4", TempPath().c_str()),
          "cannot start the MP4 file");
    stream_ = avformat_new_stream(format_, nullptr);
    codec_ = avcodec_alloc_context3(codec);
    if (!stream_ || !codec_) throw AnimationError("out of memory for the MP4 encoder");
    codec_->width = width_;
    codec_->height = height_;
    codec_->pix_fmt = AV_PIX_FMT_YUV420P;
    codec_->time_base = AVRational{Delay(), 100};
    codec_->framerate = AVRational{100, Delay()};
    codec_->colorspace = AVCOL_SPC_SMPTE170M;  // swscale's conversion is BT.601's
    codec_->color_range = AVCOL_RANGE_MPEG;
    if (format_->oformat->flags & AVFMT_GLOBALHEADER) codec_->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    // Fine dots need a good quality; the pictures are small, so the files stay small.
    av_opt_set(codec_->priv_data, "preset", "medium", 0);
    av_opt_set(codec_->priv_data, "crf", "18", 0);
    Check(avcodec_open2(codec_, codec, nullptr), "cannot start the H.264 encoder");
    Check(avcodec_parameters_from_context(stream_->codecpar, codec_), "cannot describe the video");
    stream_->time_base = codec_->time_base;
    Check(avio_open(&format_->pb, TempPath().c_str(), AVIO_FLAG_WRITE), "cannot write the MP4 file");
    AVDictionary* options = nullptr;
    av_dict_set(&options, "movflags", "+faststart", 0);  // playable while it downloads
    const int written = avformat_write_header(format_, &options);
    av_dict_free(&options);
    Check(written, "cannot write the MP4 file");

    scaler_ = sws_getContext(width_, height_, AV_PIX_FMT_BGRA, width_, height_, AV_PIX_FMT_YUV420P,
                             SWS_BILINEAR, nullptr, nullptr, nullptr);
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!scaler_ || !frame_ || !packet_) throw AnimationError("out of memory for the MP4 encoder");
    frame_->format = AV_PIX_FMT_YUV420P;
    frame_->width = width_;
    frame_->height = height_;
    Check(av_frame_get_buffer(frame_, 0), "out of memory for a video frame");
    padded_.resize(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 4);
  }

  void Write(const FrameView& frame) override {
    // The frame in an even-sized copy, its last column and row repeated.
    const size_t rowBytes = static_cast<size_t>(width_) * 4;
    for (int y = 0; y < height_; ++y) {
      const std::uint8_t* source =
          frame.Pixels + static_cast<size_t>(std::min(y, frame.Height - 1)) * frame.Stride;
      std::uint8_t* row = padded_.data() + static_cast<size_t>(y) * rowBytes;
      std::memcpy(row, source, static_cast<size_t>(frame.Width) * 4);
      if (width_ > frame.Width) std::memcpy(row + 4 * frame.Width, row + 4 * (frame.Width - 1), 4);
    }
    Check(av_frame_make_writable(frame_), "out of memory for a video frame");
    const uint8_t* planes[1] = {padded_.data()};
    const int strides[1] = {width_ * 4};
    sws_scale(scaler_, planes, strides, 0, height_, frame_->data, frame_->linesize);
    frame_->pts = next_++;
    Check(avcodec_send_frame(codec_, frame_), "cannot encode a frame");
    Drain();
  }

  void End() override {
    Check(avcodec_send_frame(codec_, nullptr), "cannot complete the video");
    Drain();
    Check(av_write_trailer(format_), "cannot complete the MP4 file");
    Check(avio_closep(&format_->pb), "cannot complete the MP4 file");
    Close();
  }

 private:
  // Writes every packet the encoder has ready.
  void Drain() {
    for (;;) {
      const int got = avcodec_receive_packet(codec_, packet_);
      if (got == AVERROR(EAGAIN) || got == AVERROR_EOF) return;
      Check(got, "cannot encode a frame");
      // Every frame lasts one tick; without it the file's edit list would end
      // where the last frame starts, and players would drop that frame.
      packet_->duration = 1;
      av_packet_rescale_ts(packet_, codec_->time_base, stream_->time_base);
      packet_->stream_index = stream_->index;
      Check(av_interleaved_write_frame(format_, packet_), "cannot write the MP4 file");
    }
  }
  static void Check(int result, const char* what) {
    if (result < 0) throw AnimationError(std::string(what) + ": " + AvProblem(result));
  }
  void Close() {
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    avcodec_free_context(&codec_);
    if (format_) {
      if (format_->pb) avio_closep(&format_->pb);
      avformat_free_context(format_);
      format_ = nullptr;
    }
  }

  int width_ = 0, height_ = 0;
  int64_t next_ = 0;
  AVFormatContext* format_ = nullptr;
  AVStream* stream_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  SwsContext* scaler_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  std::vector<std::uint8_t> padded_;
};

}  // namespace

std::unique_ptr<AnimationWriter> MakeMp4Writer(const std::string& path, int delay) {
  return std::make_unique<Mp4Writer>(path, delay);
}

}  // namespace wl::anim
