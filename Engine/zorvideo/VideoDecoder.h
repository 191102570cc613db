#pragma once
// Decodes one video file held in memory with FFmpeg: its pictures one after
// another as 0xAARRGGBB texels (row 0 at the top, as the render device's
// textures take them), and its whole sound track at once as interleaved
// signed 16-bit samples.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zorvideo {

class CVideoDecoder {
 public:
  CVideoDecoder();
  ~CVideoDecoder();
  CVideoDecoder(const CVideoDecoder&) = delete;
  CVideoDecoder& operator=(const CVideoDecoder&) = delete;

  // Takes the file's bytes and opens its first video stream. False, with the
  // reason in error, when the bytes hold no video FFmpeg can decode.
  bool Open(std::string bytes, std::string& error);
  void Close();

  int Width() const;
  int Height() const;
  // Seconds; 0 when the file does not tell.
  double Duration() const;
  double FrameRate() const;
  bool HasAudio() const;

  // The next picture and its time in seconds; false at the end of the
  // stream (or when a picture cannot be decoded).
  bool NextFrame(std::vector<uint32_t>& texels, double& seconds);
  // Back to the first picture.
  bool Rewind();

  // The whole sound track resampled to rate and channels. False when there
  // is none or it cannot be decoded.
  bool DecodeAudio(int rate, int channels, std::vector<int16_t>& samples, std::string& error) const;

 private:
  struct Impl;
  std::unique_ptr<Impl> mImpl;
};

}  // namespace zorvideo
