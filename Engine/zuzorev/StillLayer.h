#pragma once
// The still bottom of the frames. The clears and draws that begin a frame
// and have stayed the same (texture, transform, colour, blend, order and
// vertices) for a few frames are drawn once more and the back buffer as they
// leave it is kept by the device as one picture; from then on that picture,
// drawn in one draw texel for pixel, stands for them, until one of them
// changes or a texture they draw changes its texels. A fade over a still
// scene is one more still draw. What follows the still bottom is drawn as
// it comes. On a software rasteriser a scene of many pictures then costs
// about what one full-screen picture costs.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Engine/zuzorev/DeviceFrame.h"

namespace zuzorev {

class CStillLayer {
 public:
  // Frames a run of draws stays the same before it is kept.
  static constexpr int kStillFrames = 4;
  // Draws a run needs to be worth a picture (one draw costs about what
  // drawing the picture costs).
  static constexpr int kMinDraws = 2;

  // Before a frame is sent to be shown: counts how long each of its first
  // commands has stayed as in `last` (the frame shown before) and answers
  // after how many commands the back buffer is to be kept, 0 for none.
  size_t Plan(const SFrame& frame, const SFrame& last);
  // At the start of sending a frame: when the kept picture stands for the
  // frame's first commands, draws it and answers how many commands it stood
  // for; 0 otherwise. A picture whose draws changed is let go.
  size_t Use(const SFrame& frame, IDevice& device);
  // After the first `count` commands of the frame reached the back buffer:
  // keeps it as the picture of those commands.
  void Keep(const SFrame& frame, size_t count, IDevice& device);
  // A texture's texels changed (or it went): a picture that draws it is let
  // go, and draws of it in `shown` or in `current` are not still any more.
  void TextureChanged(uint32_t texture, const SFrame& shown, const SFrame& current, IDevice& device);
  void Drop(IDevice& device);

  // How many commands the kept picture stands for (0: none kept).
  size_t KeptCount() const { return mKept.commands.size(); }
  // How many pictures were kept, and how many frames drew one.
  long long Keeps() const { return mKeeps; }
  long long Uses() const { return mUses; }

 private:
  bool KeptMatches(const SFrame& frame) const;

  SFrame mKept;  // the commands the picture stands for
  std::vector<int> mAges;  // frames each command stayed the same
  size_t mChangedFrom = SIZE_MAX;  // commands from here drew a changed texture
  long long mKeeps = 0;
  long long mUses = 0;
};

}  // namespace zuzorev
