#pragma once
// Plays of the real game on the GL device in a virtual X server, with the
// frames read back as they are drawn.
#include <cstdint>
#include <map>
#include <vector>

#include "StoryDriver.h"

namespace playgl {

// A rectangle of the 1024 x 768 window (= the virtual screen).
struct SRect {
  int x, y, width, height;
};

// The pixels of `rect` in chosen turns of a play, kept as the frames are
// drawn (ARGB, rows top-down).
class FrameGrabber {
 public:
  // Keeps `rect` of every turn in `turns`; installs itself as the driver's
  // frame probe until destroyed.
  FrameGrabber(SRect rect, std::vector<size_t> turns);
  ~FrameGrabber();
  const std::vector<uint32_t>* At(size_t turn) const;

 private:
  SRect mRect;
  std::vector<size_t> mTurns;
  std::map<size_t, std::vector<uint32_t>> mFrames;
};

// How many pixels differ by more than `tolerance` in any channel.
int DifferentPixels(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, int tolerance = 8);
// How many different colours (to 4 bits a channel) the pixels hold.
int ColourCount(const std::vector<uint32_t>& pixels);

}  // namespace playgl
