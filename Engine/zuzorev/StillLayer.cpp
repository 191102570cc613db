#include "Engine/zuzorev/StillLayer.h"

#include <algorithm>

namespace zuzorev {

size_t CStillLayer::Plan(const SFrame& frame, const SFrame& last) {
  // The back buffer holds nothing known before the frame's first clear.
  size_t still = !frame.commands.empty() && frame.commands[0].clear ? frame.CommonStart(last) : 0;
  still = std::min(still, mChangedFrom);
  mChangedFrom = SIZE_MAX;
  // The depth a draw leaves is not in the picture: the still run ends
  // before the first draw that tests depth.
  for (size_t i = 0; i < still; ++i)
    if (!frame.commands[i].clear && frame.commands[i].state.depthTest) still = i;
  mAges.resize(frame.commands.size());
  for (size_t i = 0; i < mAges.size(); ++i) mAges[i] = i < still ? mAges[i] + 1 : 0;

  size_t run = 0;
  int draws = 0;
  while (run < mAges.size() && mAges[run] >= kStillFrames) draws += frame.commands[run++].clear ? 0 : 1;
  if (draws < kMinDraws) return 0;
  if (run <= KeptCount() && KeptMatches(frame)) return 0;  // the picture kept serves
  return run;
}

bool CStillLayer::KeptMatches(const SFrame& frame) const {
  const size_t n = KeptCount();
  if (n == 0 || frame.commands.size() < n) return false;
  for (size_t i = 0; i < n; ++i)
    if (!mKept.SameCommand(i, frame)) return false;
  return true;
}

size_t CStillLayer::Use(const SFrame& frame, IDevice& device) {
  const size_t n = KeptCount();
  if (n == 0 || frame.commands.size() < n) return 0;  // not made that far yet
  if (!KeptMatches(frame)) {
    Drop(device);
    return 0;
  }
  // The viewport the picture's draws left behind: the last clear's.
  const SViewport* viewport = nullptr;
  for (const SFrameCommand& c : mKept.commands)
    if (c.clear) viewport = &c.viewport;
  if (!viewport || !device.DrawLayer(*viewport)) {
    Drop(device);
    return 0;
  }
  ++mUses;
  return n;
}

void CStillLayer::Keep(const SFrame& frame, size_t count, IDevice& device) {
  count = std::min(count, frame.commands.size());
  if (count == 0 || !device.KeepLayer()) {
    Drop(device);
    return;
  }
  mKept.Clear();
  mKept.commands.assign(frame.commands.begin(), frame.commands.begin() + static_cast<std::ptrdiff_t>(count));
  size_t vertices = 0, indices = 0;
  for (const SFrameCommand& c : mKept.commands) {
    if (c.clear) continue;
    vertices = c.firstVertex + static_cast<size_t>(c.vertexCount);
    indices = c.firstIndex + static_cast<size_t>(c.indexCount);
  }
  mKept.vertices.assign(frame.vertices.begin(), frame.vertices.begin() + static_cast<std::ptrdiff_t>(vertices));
  mKept.indices.assign(frame.indices.begin(), frame.indices.begin() + static_cast<std::ptrdiff_t>(indices));
  ++mKeeps;
}

void CStillLayer::TextureChanged(uint32_t texture, const SFrame& shown, const SFrame& current, IDevice& device) {
  if (texture == 0) return;
  for (const SFrame* frame : {&shown, &current}) {
    const size_t first = frame->FirstDrawing(texture);
    if (first < frame->commands.size()) mChangedFrom = std::min(mChangedFrom, first);
  }
  if (mKept.FirstDrawing(texture) < KeptCount()) Drop(device);
}

void CStillLayer::Drop(IDevice& device) {
  if (KeptCount() > 0) device.DropLayer();
  mKept.Clear();
}

}  // namespace zuzorev
