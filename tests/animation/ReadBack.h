// Animations read back with the libraries that decode them: giflib for GIF,
// FFmpeg's libavformat and libavcodec for MP4.
#pragma once

#include <gif_lib.h>
#include <gtest/gtest.h>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <cstdint>
#include <string>
#include <vector>

namespace wltest {

struct GifRead {
  int width = 0, height = 0;
  int frames = 0;
  std::vector<int> delays;                   // hundredths of a second, per frame
  bool loops = false;                        // the NETSCAPE2.0 loop extension is there
  std::vector<std::vector<std::uint32_t>> rgb;  // 0x00RRGGBB per pixel, per frame
};

inline GifRead ReadGif(const std::string& path) {
  GifRead r;
  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  if (!gif) {
    ADD_FAILURE() << "giflib cannot open " << path << ": " << GifErrorString(error);
    return r;
  }
  if (DGifSlurp(gif) != GIF_OK) {
    ADD_FAILURE() << "giflib cannot read " << path << ": " << GifErrorString(gif->Error);
    DGifCloseFile(gif, &error);
    return r;
  }
  r.width = gif->SWidth;
  r.height = gif->SHeight;
  r.frames = gif->ImageCount;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    GraphicsControlBlock control{};
    r.delays.push_back(DGifSavedExtensionToGCB(gif, i, &control) == GIF_OK ? control.DelayTime
                                                                           : -1);
    for (int k = 0; k < image.ExtensionBlockCount; ++k) {
      const ExtensionBlock& b = image.ExtensionBlocks[k];
      if (b.Function == APPLICATION_EXT_FUNC_CODE && b.ByteCount == 11 &&
          std::string(reinterpret_cast<const char*>(b.Bytes), 11) == "NETSCAPE2.0") {
        r.loops = true;
      }
    }
    const ColorMapObject* map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    std::vector<std::uint32_t> pixels;
    const int n = image.ImageDesc.Width * image.ImageDesc.Height;
    for (int p = 0; p < n && map; ++p) {
      const GifColorType c = map->Colors[image.RasterBits[p]];
      pixels.push_back(std::uint32_t{c.Red} << 16 | std::uint32_t{c.Green} << 8 | c.Blue);
    }
    r.rgb.push_back(std::move(pixels));
  }
  DGifCloseFile(gif, &error);
  return r;
}

struct Mp4Read {
  std::string container;
  AVCodecID codec = AV_CODEC_ID_NONE;
  int width = 0, height = 0;
  AVPixelFormat pixels = AV_PIX_FMT_NONE;
  double fps = 0;
  int packets = 0;  // encoded frames in the file
  int frames = 0;   // frames decoded
  std::vector<std::vector<std::uint8_t>> luma;  // the Y plane of each frame, width * height
};

inline Mp4Read ReadMp4(const std::string& path) {
  Mp4Read r;
  AVFormatContext* format = nullptr;
  if (avformat_open_input(&format, path.c_str(), nullptr, nullptr) < 0) {
    ADD_FAILURE() << "FFmpeg cannot open " << path;
    return r;
  }
  avformat_find_stream_info(format, nullptr);
  r.container = format->iformat->name;
  const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
  if (index < 0) {
    ADD_FAILURE() << path << " has no video";
    avformat_close_input(&format);
    return r;
  }
  const AVStream* stream = format->streams[index];
  r.codec = stream->codecpar->codec_id;
  r.width = stream->codecpar->width;
  r.height = stream->codecpar->height;
  r.pixels = static_cast<AVPixelFormat>(stream->codecpar->format);
  r.fps = av_q2d(stream->r_frame_rate);
  const AVCodec* decoder = avcodec_find_decoder(r.codec);
  AVCodecContext* codec = avcodec_alloc_context3(decoder);
  avcodec_parameters_to_context(codec, stream->codecpar);
  avcodec_open2(codec, decoder, nullptr);
  AVPacket* packet = av_packet_alloc();
  AVFrame* frame = av_frame_alloc();
  const auto receive = [&] {
    while (avcodec_receive_frame(codec, frame) == 0) {
      std::vector<std::uint8_t> y(static_cast<size_t>(frame->width) * frame->height);
      for (int row = 0; row < frame->height; ++row) {
        std::copy_n(frame->data[0] + static_cast<ptrdiff_t>(row) * frame->linesize[0],
                    frame->width, y.begin() + static_cast<ptrdiff_t>(row) * frame->width);
      }
      r.luma.push_back(std::move(y));
      ++r.frames;
    }
  };
  while (av_read_frame(format, packet) >= 0) {
    if (packet->stream_index == index) {
      ++r.packets;
      // A decoder that is full takes the packet once its frames are out.
      while (avcodec_send_packet(codec, packet) == AVERROR(EAGAIN)) receive();
      receive();
    }
    av_packet_unref(packet);
  }
  avcodec_send_packet(codec, nullptr);
  receive();
  av_frame_free(&frame);
  av_packet_free(&packet);
  avcodec_free_context(&codec);
  avformat_close_input(&format);
  return r;
}

}  // namespace wltest
