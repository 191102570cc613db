#include "Engine/zorvideo/VideoDecoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include <algorithm>
#include <cstring>

namespace zorvideo {
namespace {

// Bigger pictures are broken data for this game, not a video to decode.
constexpr int kMaxSide = 4096;
constexpr size_t kIoBufferSize = 32 * 1024;
// The longest sound track decoded whole (10 minutes of stereo at 48 kHz).
constexpr size_t kMaxAudioSamples = 10u * 60u * 48000u * 2u;

std::string AvError(int code) {
  char text[AV_ERROR_MAX_STRING_SIZE] = {};
  av_strerror(code, text, sizeof(text));
  return text;
}

// Reading position over the bytes, for FFmpeg's custom I/O.
struct SMemoryReader {
  const std::string* bytes = nullptr;
  int64_t pos = 0;
};

int ReadPacket(void* opaque, uint8_t* buffer, int size) {
  auto* reader = static_cast<SMemoryReader*>(opaque);
  const int64_t total = static_cast<int64_t>(reader->bytes->size());
  const int64_t left = total - reader->pos;
  if (left <= 0 || size <= 0) return AVERROR_EOF;
  const int count = static_cast<int>(std::min<int64_t>(left, size));
  std::memcpy(buffer, reader->bytes->data() + reader->pos, static_cast<size_t>(count));
  reader->pos += count;
  return count;
}

int64_t Seek(void* opaque, int64_t offset, int whence) {
  auto* reader = static_cast<SMemoryReader*>(opaque);
  const int64_t total = static_cast<int64_t>(reader->bytes->size());
  if (whence & AVSEEK_SIZE) return total;
  int64_t target;
  switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET: target = offset; break;
    case SEEK_CUR: target = reader->pos + offset; break;
    case SEEK_END: target = total + offset; break;
    default: return AVERROR(EINVAL);
  }
  if (target < 0 || target > total) return AVERROR(EINVAL);
  reader->pos = target;
  return target;
}

// One demuxer over the bytes with a decoder for one stream.
struct SStream {
  SMemoryReader reader;
  AVIOContext* io = nullptr;
  AVFormatContext* format = nullptr;
  AVCodecContext* codec = nullptr;
  int index = -1;

  ~SStream() { Close(); }

  void Close() {
    avcodec_free_context(&codec);
    if (format) avformat_close_input(&format);  // frees the context, not our I/O
    if (io) {
      av_freep(&io->buffer);
      avio_context_free(&io);
    }
    index = -1;
  }

  bool Open(const std::string& bytes, AVMediaType type, std::string& error) {
    reader.bytes = &bytes;
    reader.pos = 0;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferSize));
    if (!buffer) return Fail("out of memory", error);
    io = avio_alloc_context(buffer, kIoBufferSize, 0, &reader, ReadPacket, nullptr, Seek);
    if (!io) {
      av_free(buffer);
      return Fail("out of memory", error);
    }
    format = avformat_alloc_context();
    if (!format) return Fail("out of memory", error);
    format->pb = io;
    format->flags |= AVFMT_FLAG_CUSTOM_IO;
    int result = avformat_open_input(&format, nullptr, nullptr, nullptr);
    if (result < 0) {
      format = nullptr;  // freed by the failed open
      return Fail("not a media file (" + AvError(result) + ")", error);
    }
    result = avformat_find_stream_info(format, nullptr);
    if (result < 0) return Fail("no stream information (" + AvError(result) + ")", error);
    const AVCodec* decoder = nullptr;
    index = av_find_best_stream(format, type, -1, -1, &decoder, 0);
    if (index < 0 || !decoder)
      return Fail(type == AVMEDIA_TYPE_VIDEO ? "no video stream to decode" : "no sound stream to decode", error);
    codec = avcodec_alloc_context3(decoder);
    if (!codec) return Fail("out of memory", error);
    result = avcodec_parameters_to_context(codec, format->streams[index]->codecpar);
    if (result >= 0) result = avcodec_open2(codec, decoder, nullptr);
    if (result < 0) return Fail("cannot open the decoder (" + AvError(result) + ")", error);
    return true;
  }

  bool Fail(const std::string& why, std::string& error) {
    error = why;
    Close();
    return false;
  }

  double TimeOf(int64_t timestamp) const {
    if (timestamp == AV_NOPTS_VALUE) return 0.0;
    return static_cast<double>(timestamp) * av_q2d(format->streams[index]->time_base);
  }

  // The next decoded frame of the stream; false at the end or on an error.
  bool Receive(AVFrame* frame, AVPacket* packet, bool& draining) {
    for (;;) {
      const int result = avcodec_receive_frame(codec, frame);
      if (result == 0) return true;
      if (result != AVERROR(EAGAIN) || draining) return false;
      for (;;) {
        const int read = av_read_frame(format, packet);
        if (read < 0) {
          draining = true;
          avcodec_send_packet(codec, nullptr);
          break;
        }
        const bool mine = packet->stream_index == index;
        const int sent = mine ? avcodec_send_packet(codec, packet) : 0;
        av_packet_unref(packet);
        if (sent < 0 && sent != AVERROR(EAGAIN)) return false;
        if (mine) break;
      }
    }
  }
};

}  // namespace

struct CVideoDecoder::Impl {
  std::string bytes;
  SStream video;
  AVFrame* frame = nullptr;
  AVPacket* packet = nullptr;
  SwsContext* scaler = nullptr;
  bool draining = false;
  bool hasAudio = false;
  int width = 0;
  int height = 0;

  ~Impl() {
    sws_freeContext(scaler);
    av_frame_free(&frame);
    av_packet_free(&packet);
  }
};

CVideoDecoder::CVideoDecoder() = default;
CVideoDecoder::~CVideoDecoder() = default;

bool CVideoDecoder::Open(std::string bytes, std::string& error) {
  // FFmpeg's own chatter on stderr is no use to a player; failures are
  // reported by the callers.
  static const bool quiet = (av_log_set_level(AV_LOG_FATAL), true);
  (void)quiet;
  Close();
  auto impl = std::make_unique<Impl>();
  impl->bytes = std::move(bytes);
  if (!impl->video.Open(impl->bytes, AVMEDIA_TYPE_VIDEO, error)) return false;
  impl->width = impl->video.codec->width;
  impl->height = impl->video.codec->height;
  if (impl->width <= 0 || impl->height <= 0 || impl->width > kMaxSide || impl->height > kMaxSide) {
    error = "picture size " + std::to_string(impl->width) + "x" + std::to_string(impl->height) + " out of range";
    return false;
  }
  impl->frame = av_frame_alloc();
  impl->packet = av_packet_alloc();
  if (!impl->frame || !impl->packet) {
    error = "out of memory";
    return false;
  }
  impl->hasAudio = av_find_best_stream(impl->video.format, AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0) >= 0;
  mImpl = std::move(impl);
  return true;
}

void CVideoDecoder::Close() { mImpl.reset(); }

int CVideoDecoder::Width() const { return mImpl ? mImpl->width : 0; }
int CVideoDecoder::Height() const { return mImpl ? mImpl->height : 0; }
bool CVideoDecoder::HasAudio() const { return mImpl && mImpl->hasAudio; }

double CVideoDecoder::Duration() const {
  if (!mImpl) return 0.0;
  const AVStream* stream = mImpl->video.format->streams[mImpl->video.index];
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) return mImpl->video.TimeOf(stream->duration);
  if (mImpl->video.format->duration > 0) return static_cast<double>(mImpl->video.format->duration) / AV_TIME_BASE;
  return 0.0;
}

double CVideoDecoder::FrameRate() const {
  if (!mImpl) return 0.0;
  const AVStream* stream = mImpl->video.format->streams[mImpl->video.index];
  AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
  return rate.den > 0 ? av_q2d(rate) : 0.0;
}

bool CVideoDecoder::NextFrame(std::vector<uint32_t>& texels, double& seconds) {
  if (!mImpl) return false;
  Impl& d = *mImpl;
  if (!d.video.Receive(d.frame, d.packet, d.draining)) return false;
  // The picture is scaled to the stream's size even if a frame differs.
  d.scaler = sws_getCachedContext(d.scaler, d.frame->width, d.frame->height,
                                  static_cast<AVPixelFormat>(d.frame->format), d.width, d.height, AV_PIX_FMT_RGB32,
                                  SWS_BILINEAR, nullptr, nullptr, nullptr);
  if (!d.scaler) {
    av_frame_unref(d.frame);
    return false;
  }
  texels.assign(static_cast<size_t>(d.width) * static_cast<size_t>(d.height), 0);
  uint8_t* planes[4] = {reinterpret_cast<uint8_t*>(texels.data()), nullptr, nullptr, nullptr};
  int strides[4] = {d.width * 4, 0, 0, 0};
  sws_scale(d.scaler, d.frame->data, d.frame->linesize, 0, d.frame->height, planes, strides);
  seconds = d.video.TimeOf(d.frame->best_effort_timestamp);
  av_frame_unref(d.frame);
  return true;
}

bool CVideoDecoder::Rewind() {
  if (!mImpl) return false;
  Impl& d = *mImpl;
  d.draining = false;
  if (av_seek_frame(d.video.format, d.video.index, 0, AVSEEK_FLAG_BACKWARD) < 0 &&
      avformat_seek_file(d.video.format, -1, INT64_MIN, 0, 0, AVSEEK_FLAG_BYTE) < 0)
    return false;
  avcodec_flush_buffers(d.video.codec);
  return true;
}

bool CVideoDecoder::DecodeAudio(int rate, int channels, std::vector<int16_t>& samples, std::string& error) const {
  samples.clear();
  if (!mImpl || !mImpl->hasAudio || rate <= 0 || channels <= 0 || channels > 8) {
    error = "no sound track";
    return false;
  }
  SStream audio;
  if (!audio.Open(mImpl->bytes, AVMEDIA_TYPE_AUDIO, error)) return false;
  AVChannelLayout outLayout;
  av_channel_layout_default(&outLayout, channels);
  AVChannelLayout inLayout;
  if (audio.codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || audio.codec->ch_layout.nb_channels <= 0)
    av_channel_layout_default(&inLayout, std::max(1, audio.codec->ch_layout.nb_channels));
  else
    av_channel_layout_copy(&inLayout, &audio.codec->ch_layout);
  SwrContext* resampler = nullptr;
  int result = swr_alloc_set_opts2(&resampler, &outLayout, AV_SAMPLE_FMT_S16, rate, &inLayout,
                                   audio.codec->sample_fmt, audio.codec->sample_rate, 0, nullptr);
  if (result >= 0) result = swr_init(resampler);
  av_channel_layout_uninit(&inLayout);
  av_channel_layout_uninit(&outLayout);
  if (result < 0) {
    swr_free(&resampler);
    error = "cannot convert the sound (" + AvError(result) + ")";
    return false;
  }
  AVFrame* frame = av_frame_alloc();
  AVPacket* packet = av_packet_alloc();
  bool draining = false;
  bool ok = frame && packet;
  auto convert = [&](const uint8_t** input, int count) {
    const int room = swr_get_out_samples(resampler, count);
    if (room <= 0) return true;
    const size_t at = samples.size();
    if (at + static_cast<size_t>(room) * channels > kMaxAudioSamples) return false;
    samples.resize(at + static_cast<size_t>(room) * channels);
    uint8_t* out = reinterpret_cast<uint8_t*>(samples.data() + at);
    const int made = swr_convert(resampler, &out, room, input, count);
    if (made < 0) return false;
    samples.resize(at + static_cast<size_t>(made) * channels);
    return true;
  };
  while (ok && audio.Receive(frame, packet, draining)) {
    ok = convert(const_cast<const uint8_t**>(frame->extended_data), frame->nb_samples);
    av_frame_unref(frame);
  }
  if (ok) ok = convert(nullptr, 0);  // what the resampler still holds
  av_frame_free(&frame);
  av_packet_free(&packet);
  swr_free(&resampler);
  if (!ok || samples.empty()) {
    error = ok ? "empty sound track" : "sound track too long or broken";
    samples.clear();
    return false;
  }
  return true;
}

}  // namespace zorvideo
